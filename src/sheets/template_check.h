// Checking a template without a form: every fault it can show, each with its template line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TemplateProblem {
    uint32_t line;
    // The engine's own message, on one line.
    std::string message;
    // The column (from 1) a warning points at; 0 for a fault.
    uint32_t column = 0;
    // A layout risk that the engine accepts, rather than a fault.
    bool isWarning = false;
};

// Checks CurrentTemplate. First without any form: every directive line is parsed and
// range-checked, INSERTLINE blocks are taken, and blocks and governed lines that run past the end,
// targets beyond the end, targets that are directive or INSERTLINE lines and targets shared by two
// directives are reported at the directive's line. Then the template is rendered with the form as
// it starts and with every box ticked and every text filled with a long sample; a failure is
// reported with the line the engine names, unless the first part found the same fault. Last, the
// layout risks the engine accepts come as warnings: lines it cuts at 79 characters, tabs, other
// bytes below 0x20 in lines that may reach the output, a NUL anywhere (the engine ends a line
// there), and fields whose column on their target line already holds art. Problems come in line
// order, and within a line in column order, faults first.
std::vector<TemplateProblem> checkTemplate();
