// The network (导线网) in the workspace: the observation files imported for it, the
// known points typed into its table, and its last adjustment with the network it came
// from. Names are code page 936 bytes, as the files write them; metres; an untyped
// coordinate is NaN, never 0.
#pragma once

#include "network/JoinNetwork.h"
#include "network/Network.h"
#include "platform/ReplaceFile.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

// The open dialog's filter of observation files.
constexpr const char* kObservationFileFilter =
    "观测数据 (*.txt *.con)|*.txt;*.con|(*.txt)|*.txt|(*.con)|*.con|所有文件 (*)|*||";

// The type index of the network, the fifth button after the four traverse types.
constexpr int kNetworkType = 4;

// One observation file of the network as imported: its path as chosen, its records
// (slope distances) and its identity, so that no result is written over it.
struct NetworkImport {
    std::string path;
    traverse::NetworkFile file; // name: the file's name as messages show it
    traverse::FileId identity;
};

// A row of the known-point table: a point of the network's files, with its coordinates
// and height where typed (NaN where not).
struct NetworkKnownRow {
    std::string name; // code page 936
    double x = std::numeric_limits<double>::quiet_NaN();
    double y = std::numeric_limits<double>::quiet_NaN();
    double h = std::numeric_limits<double>::quiet_NaN();
    bool Known() const { return !std::isnan(x) && !std::isnan(y); }
};

// The last adjustment of the network and what it was computed from.
struct AdjustedNetworkRun {
    traverse::NetworkObservations observations;
    traverse::NetworkAdjustment adjustment;
};
