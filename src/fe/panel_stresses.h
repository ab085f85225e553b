#pragma once

// The element stresses of every panel, gathered while the stress table streams past: for each
// element inside a panel its place in panel axes, its area and, per load case, its membrane
// stress in panel axes. Rows of elements outside every panel are read and dropped. The panel
// needs these per-element values (not only the sums of its fits) because the layers of one
// element may come anywhere in the table, and the audit's residuals and plots are element by
// element: about 32 bytes per element and load case inside a panel.

#include "fe/panel_axes.h"
#include "fe/stress_table.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace korvel {

// A panel as the table is sorted into it: its axes and plate field (mm).
struct PanelField {
    PanelAxes axes;
    double L1 = 0, s = 0; // s = s1 + s2
};

struct PanelMember {
    std::int64_t elem = 0;
    double x = 0, y = 0, area = 0; // centroid in panel axes (mm), area (mm2)
    bool shared = false;           // inside another panel too
};

// What the rows of one element and load case gave: the layers seen, the first row's line and
// the stress (mid, or the sum of top and bottom until the end).
struct LayerSlot {
    PlaneStress s;
    int line = 0;
    std::uint8_t seen = 0;
};

// Element number -> member index, open addressing in two flat arrays: about 25 bytes an element
// where a node-based map takes twice that, which counts when an export puts millions of
// elements inside the panels.
class ElementIndex {
public:
    struct Found {
        std::uint32_t member = 0;
        bool added = false;
    };
    // The member of `elem`, or `next` entered for it.
    Found findOrAdd(std::int64_t elem, std::uint32_t next);

private:
    static constexpr std::uint32_t empty = 0xFFFFFFFFU;
    void grow();
    std::vector<std::int64_t> keys_;
    std::vector<std::uint32_t> members_;
    std::size_t count_ = 0;
};

struct PanelStore {
    std::vector<PanelMember> members;
    ElementIndex index;
    std::vector<std::vector<LayerSlot>> byLc; // [load case][member]
    std::vector<std::string> faults;          // rows this panel cannot use
};

// The membrane stress of one slot, or why there is none.
struct Membrane {
    PlaneStress s;
    std::string fault;
};
Membrane membraneOf(const LayerSlot& slot);

class PanelSorter {
public:
    // `fields` must outlive the sorter; `planeTolerance` in mm; `layout` that of the table.
    PanelSorter(const std::vector<PanelField>& fields, double planeTolerance, StressLayout layout);

    // Puts one row into every panel whose plate field holds its centroid. `lc` is the row's load
    // case index. Rows that a panel cannot use go to that panel's faults.
    void add(const StressRow& row, std::size_t lc, const std::string& fileName);

    std::vector<PanelStore>& stores() { return stores_; }

private:
    void addTo(std::size_t panel, const StressRow& row, std::size_t lc, const std::string& fileName, bool shared);
    std::uint64_t cellKey(const Vec3& q) const;

    const std::vector<PanelField>* fields_;
    double tolerance_;
    double cell_ = 1; // grid spacing (mm): at least the largest panel's extent
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> grid_;
    std::vector<std::uint32_t> hits_;
    std::vector<PanelStore> stores_;
    StressLayout layout_ = StressLayout::global;
};

} // namespace korvel
