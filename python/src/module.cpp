// The Python module korvel: the calculation of KORVEL over its own core, not a copy of it and not
// korvel-batch run as a program. The package's __init__.py re-exports this extension and adds the
// pandas helpers.

#include "binding.h"

#include "design/version.h"

#include <pybind11/stl/filesystem.h>

PYBIND11_MODULE(_korvel, m) {
    namespace kp = korvel::python;
    m.doc() = "KORVEL's stiffened-panel checks: cases, assessments and studies (the compiled part of korvel)";
    m.attr("__version__") = korvel::programVersion;
    kp::registerErrors(m);
    m.def("_set_program_folder", &kp::setProgramFolder, pybind11::arg("folder"));
    m.def("set_data_folder", &kp::setDataFolder, pybind11::arg("path"),
          "Reads the profile and material tables from `path` from now on (korvel-batch --data PATH); \"\" goes back "
          "to the tables korvel-batch finds by itself.");
    m.def("data_folder", &kp::dataFolder, "The folder the tables are read from.");
    kp::bindCase(m);
    kp::bindAssess(m);
    kp::bindFrames(m);
    kp::bindStudies(m);
}
