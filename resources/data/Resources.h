#pragma once
// Lookup of the program's resources by id. Everything here is plain data; pictures and
// clips are named by their path in the Qt resource file (":/...") so that only the
// dialog layer needs Qt to draw them.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "DialogTemplate.h"
#include "ResourceIds.h"

namespace scx::res {

// nullptr when no template bears that id.
const DialogTemplate* FindDialog(int id);
const MenuTemplate* FindMenu(int id);

// The French text of string `id` (UTF-8, "\n" a line feed); empty when there is none.
std::string LoadString(unsigned id);

// String `id` with "%1", "%2"... replaced by `values` in one pass, so that a value that
// holds a "%" sign stays as it is.
std::string FormatString(unsigned id, std::initializer_list<std::string_view> values);

// Path in the Qt resource file of icon or bitmap `id`; empty when there is none.
std::string_view ImagePath(int id);

// Paths of the frames of clip `id`, in playing order; empty when there is none.
const std::vector<std::string_view>& AnimationFrames(int id);

// Frames per second of every clip.
inline constexpr double kAnimationFramesPerSecond = 1.5;

// The French user guide that "Aide en ligne" opens in the browser. It is installed in the
// program's folder under kGuideFileName, and kept in the resource file as well so that the
// program can write it out when that copy is missing.
inline constexpr std::string_view kGuideFileName = "help/guide.html";
inline constexpr std::string_view kGuideResourcePath = ":/help/guide.html";

}  // namespace scx::res
