#pragma once

// The program's version: CMake's project(VERSION), handed to design/version.cpp alone as the
// compile definition KORVEL_VERSION, so that a new version recompiles one file. Everything that
// states the version (reports, JSON results, --version) reads it here.

namespace korvel {

// "0.1.0".
const char* programVersion();

} // namespace korvel
