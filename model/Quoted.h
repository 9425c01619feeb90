// How messages quote a file name or any other name the user gave: 'name'.
#pragma once

#include <string>

inline std::string Quoted(const std::string& name) { return "'" + name + "'"; }
