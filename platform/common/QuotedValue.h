// A value the user gave (an option, a link's parameter, a script's field) as
// a line quotes it back: one readable line whatever it holds, on a terminal
// and on the page alike.
#pragma once

#include <string>
#include <string_view>

// Quoted: 'value'. At most 80 characters of it, an ellipsis marking a cut;
// control characters, direction overrides and bytes that are not UTF-8 are
// written out (\x1b, \u{202e}) so none can reorder or hide the line.
std::string QuotedValue(std::string_view value);
