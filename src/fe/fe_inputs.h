#pragma once

// The two small files that go with a stress table: where each panel lies and which template
// case gives its other inputs, and the load combinations.
//
// PANELS (TAB-separated, "#" comment lines, a header in any case):
//   panel template ox oy oz pxx pxy pxz pyx pyy pyz      (points in mm)
// COMBINATIONS (TAB-separated, or blank-separated when a line has no TAB, "#" comment lines, an optional header
// beginning "name"):
//   name condition FS UF lc:factor lc:factor ...         (condition 0/1/2 or A/B/C)

#include "fe/panel_axes.h"
#include "files/batch_file.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace korvel {

struct PanelLine {
    int line = 0;
    std::string name;
    std::string templateId; // identification of a case of the template file
    Vec3 O, Px, Py;
    std::string fault; // why the line cannot be used; the panel fails, the others go on
    bool operator==(const PanelLine& o) const {
        return line == o.line && name == o.name && templateId == o.templateId && O == o.O && Px == o.Px && Py == o.Py &&
               fault == o.fault;
    }
};

// The panels in file order; a missing file or column is an error of the whole file.
std::variant<std::vector<PanelLine>, BatchError> readPanelFile(const std::string& path);

struct LoadTerm {
    std::string lc;
    double factor = 1;
    bool operator==(const LoadTerm& o) const { return lc == o.lc && factor == o.factor; }
};

struct Combination {
    int line = 0; // 0: a basic load case standing for itself with the template's safety format
    std::string name;
    int condition = conditionA;
    float FS = 0, UF = 0;
    std::vector<LoadTerm> terms;
    std::string fault; // why the line cannot be used; the combination is left out
    bool operator==(const Combination& o) const {
        return line == o.line && name == o.name && condition == o.condition && FS == o.FS && UF == o.UF &&
               terms == o.terms && fault == o.fault;
    }
};

std::variant<std::vector<Combination>, BatchError> readCombinationFile(const std::string& path);

} // namespace korvel
