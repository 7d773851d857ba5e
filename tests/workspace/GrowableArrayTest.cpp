#include "workspace/GrowableArray.h"
#include "model/Records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace traverse;

TEST(GrowableArray, AppendingGrowsByTheDefaultPolicy) {
    CGrowableArray<double> a;
    std::vector<int> capacities;
    for (int i = 0; i < 60; ++i) {
        a.Add(i);
        if (capacities.empty() || capacities.back() != a.GetCapacity())
            capacities.push_back(a.GetCapacity());
    }
    // steps of 4 while the size is below 40, then one eighth of the size
    EXPECT_EQ(capacities,
              (std::vector<int>{1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46, 51, 57, 64}));
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(a[i], i);
}

TEST(GrowableArray, SetSizeZeroesNewElementsAndZeroReleases) {
    CGrowableArray<double> a;
    a.SetSize(0);
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(a.GetData(), nullptr);
    for (int i = 0; i < 3; ++i)
        a.Add(7.0);
    a.SetSize(10);
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(a[i], 0.0) << i;
    for (int i = 0; i < 10; ++i)
        a[i] = 5.0;
    a.SetSize(2);
    EXPECT_EQ(a.GetCapacity() >= 10, true) << "shrinking keeps the storage";
    a.SetSize(10);
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(a[i], 0.0) << i;
    a.SetSize(0);
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.GetCapacity(), 0);
    a.Add(1.0);
    EXPECT_EQ(a.GetCapacity(), 1) << "appending to a cleared array allocates one element";
}

TEST(GrowableArray, SetAtGrowBeyondTheEndZeroFillsTheGap) {
    CGrowableArray<PlanePoint> a;
    a.SetAtGrow(3, PlanePoint{1, 2});
    ASSERT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a[0].dX, 0.0);
    EXPECT_EQ(a[3].dY, 2.0);
}

TEST(GrowableArray, RecordsKeepEveryByte) {
    ObservationRecord r;
    std::memset(&r, 0xAB, sizeof r);
    r.szStation[2] = '\0';
    CGrowableArray<ObservationRecord> a;
    a.Add(r);
    for (int i = 0; i < 10; ++i)
        a.Add(ObservationRecord{});
    EXPECT_EQ(std::memcmp(&a[0], &r, sizeof r), 0);
}

TEST(Records, SetNameRefusesWhatDoesNotFit) {
    char field[kNameFieldSize];
    EXPECT_TRUE(SetName(field, "12345678901"));
    EXPECT_EQ(NameOf(field), "12345678901");
    EXPECT_FALSE(SetName(field, "123456789012"));
    EXPECT_EQ(NameOf(field), "");
}
