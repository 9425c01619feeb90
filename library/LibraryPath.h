// Where the library file lives: the path given, else $LINDEL_LIBRARY, else
// $XDG_DATA_HOME/lindel/library.db (default ~/.local/share/lindel/library.db).
#pragma once

#include <optional>
#include <string>

std::string LibraryPath(const std::optional<std::string>& given = std::nullopt);
