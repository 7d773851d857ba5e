#include "adjust/MatrixKernel.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <string>
#include <vector>

using namespace traverse;

namespace {
struct SolveCase {
    const char* name;
    std::vector<double> a, b;
    int expectedResult;
    std::vector<double> x;
};

void PrintTo(const SolveCase& c, std::ostream* os) { *os << c.name; }

// The routines' diagnostics: on standard output on Linux; on Windows only in the
// debugger's output, so that the module never writes into its host's output.
std::string OnStdout(const char* diagnostic) {
#ifdef _WIN32
    (void)diagnostic;
    return "";
#else
    return diagnostic;
#endif
}

class SolveLinearSystemTest : public testing::TestWithParam<SolveCase> {};

TEST_P(SolveLinearSystemTest, SolvesOrFails) {
    SolveCase c = GetParam();
    int n = static_cast<int>(c.b.size());
    testing::internal::CaptureStdout();
    int r = SolveLinearSystem(c.a.data(), c.b.data(), n);
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(r, c.expectedResult);
    if (r == 0) {
        EXPECT_EQ(out, OnStdout("fail\n"));
        return;
    }
    EXPECT_EQ(out, "");
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(c.b[i], c.x[i], 1e-12) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolveLinearSystemTest,
    testing::Values(SolveCase{"ColumnExchange", {1, 4, 2, 1}, {9, 4}, 1, {1, 2}},
                    SolveCase{"RowExchange", {0, 1, 2, 0}, {3, 4}, 1, {2, 3}},
                    SolveCase{"Identity", {1, 0, 0, 0, 1, 0, 0, 0, 1}, {5, -6, 7}, 1, {5, -6, 7}},
                    SolveCase{"AllZero", {0, 0, 0, 0}, {1, 1}, 0, {}},
                    SolveCase{"EqualRows", {1, 2, 3, 1, 2, 3, 4, 5, 6}, {1, 1, 1}, 0, {}},
                    SolveCase{"TinyPivotIsSingular", {1e-17, 0, 0, 1e-17}, {1, 1}, 0, {}},
                    SolveCase{
                        "SmallButNotSingular", {2e-10, 0, 0, 1e-10}, {2e-10, 3e-10}, 1, {1, 3}},
                    SolveCase{"OneByOne", {4}, {2}, 1, {0.5}},
                    SolveCase{"OneByOneSingular", {0}, {2}, 0, {}},
                    SolveCase{"Symmetric3", {4, 1, 2, 1, 5, 3, 2, 3, 6}, {7, 9, 11}, 1, {1, 1, 1}}),
    [](const testing::TestParamInfo<SolveCase>& info) { return std::string(info.param.name); });

TEST(SolveLinearSystem, TiesKeepTheFirstElementOfTheRowScan) {
    // Both |4| entries tie; the first met (row 0, column 1) is the pivot, so column 0 and 1
    // are exchanged. The solution is the same either way; the order of the unknowns must be
    // restored.
    std::vector<double> a = {1, 4, 4, 1};
    std::vector<double> b = {9, 6};
    ASSERT_EQ(SolveLinearSystem(a.data(), b.data(), 2), 1);
    EXPECT_NEAR(b[0], 1.0, 1e-12);
    EXPECT_NEAR(b[1], 2.0, 1e-12);
}

TEST(MultiplyMatrices, RowVectorTimesMatrix) {
    const double A[] = {1, 2, 3};
    const double B[] = {1, 0, 0, 0, 2, 0, 1, 1, 1};
    double* C = nullptr;
    EXPECT_EQ(MultiplyMatrices(A, 1, 3, B, 3, 3, &C), 1.0);
    ASSERT_NE(C, nullptr);
    EXPECT_EQ(C[0], 4.0);
    EXPECT_EQ(C[1], 7.0);
    EXPECT_EQ(C[2], 3.0);
    std::free(C);
}

TEST(MultiplyMatrices, MismatchPrintsTheMessageAndReturnsZeros) {
    const double A[] = {1, 2, 3, 4, 5, 6}; // 2 x 3
    const double B[] = {1, 2, 3, 4};       // 2 x 2
    double* C = nullptr;
    testing::internal::CaptureStdout();
    double r = MultiplyMatrices(A, 2, 3, B, 2, 2, &C);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(r, 1.0);
    EXPECT_EQ(out, OnStdout("矩阵不能相乘"));
    ASSERT_NE(C, nullptr);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(C[i], 0.0);
    std::free(C);
}
} // namespace
