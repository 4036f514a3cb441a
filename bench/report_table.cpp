// SPDX-License-Identifier: Zlib
#include "report_table.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::size_t COLUMNS = 6;
constexpr const char* HEADINGS[COLUMNS] = {"figure", "ours", "floor or peer", "ratio", "target", ""};

std::array<std::string, COLUMNS> cells(const ReportRow& row)
{
    return {row.figure, row.ours, row.reference, row.ratio, row.target, row.verdict};
}

void printLine(const std::array<std::string, COLUMNS>& line, const std::array<std::size_t, COLUMNS>& widths)
{
    std::string text;
    for (std::size_t c = 0; c < COLUMNS; ++c) {
        text += line[c];
        text.append(widths[c] - line[c].size() + 2, ' ');
    }
    text.erase(text.find_last_not_of(' ') + 1);
    std::printf("%s\n", text.c_str());
}

} // namespace

void printTable(const std::vector<ReportRow>& rows)
{
    std::array<std::string, COLUMNS> headings;
    std::array<std::size_t, COLUMNS> widths{};
    for (std::size_t c = 0; c < COLUMNS; ++c) {
        headings[c] = HEADINGS[c];
        widths[c] = headings[c].size();
    }
    for (const ReportRow& row : rows) {
        const auto line = cells(row);
        for (std::size_t c = 0; c < COLUMNS; ++c) {
            widths[c] = std::max(widths[c], line[c].size());
        }
    }
    printLine(headings, widths);
    std::array<std::string, COLUMNS> rule;
    for (std::size_t c = 0; c < COLUMNS; ++c) {
        rule[c] = std::string(widths[c], '-');
    }
    printLine(rule, widths);
    for (const ReportRow& row : rows) {
        printLine(cells(row), widths);
    }
    std::fflush(stdout);
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
