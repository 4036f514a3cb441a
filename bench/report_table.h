// SPDX-License-Identifier: Zlib
#pragma once

#include <string>
#include <vector>

// One line of the benchmark table: a figure, its floor or peer, their ratio and the target.
struct ReportRow {
    std::string figure;
    std::string ours;
    std::string reference; // the floor or the peer, with what it is
    std::string ratio;
    std::string target;
    std::string verdict; // "met", "MISSED", or empty for a figure that only guides
};

void printTable(const std::vector<ReportRow>& rows);

// Fixed-point text with `decimals` places.
std::string fixed(double value, int decimals);
