// A workspace on the scripted window with a 100 x 9 table, and scratch files.
#pragma once

#include "support/FakeWindowPort.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class ImportTest : public ::testing::Test {
protected:
    ImportTest() {
        port.grid.SetRowCount(100);
        port.grid.SetColumnCount(9);
        port.ResetEdits(kNonOriented);
        char pattern[] = "/tmp/ta-import-XXXXXX";
        dir = mkdtemp(pattern);
    }
    ~ImportTest() override { std::filesystem::remove_all(dir); }

    static std::string Data(const std::string& name) { return TA_TEST_DATA_DIR "/" + name; }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    void Import(const std::string& path, int type = kNonOriented) {
        port.ResetEdits(type);
        port.openPaths.push_back(path);
        dlg.OnImport();
    }

    std::string Cell(int row, int col) const { return port.grid.GetItemText(row, col); }

    // True when no cell below the header row and right of the header column has text.
    bool TableEmpty() const {
        for (int r = 1; r < port.grid.rows; ++r)
            for (int c = 1; c < port.grid.cols; ++c)
                if (!Cell(r, c).empty()) return false;
        return true;
    }

    FakeWindowPort port;
    CTraverseAdjustDlg dlg{&port};
    std::string dir;
};
