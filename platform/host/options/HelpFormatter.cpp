#include "platform/host/options/HelpFormatter.h"

#include <sstream>
#include <utility>

namespace {

constexpr std::size_t kLineWidth = 80;
// Past the longest name with its value, "  --fullscreen, --windowed".
constexpr std::size_t kDescriptionColumn = 28;

// The words of text in lines that fit from column indent, the first line
// starting where the caller has already written up to.
std::string Wrap(const std::string& text, std::size_t indent) {
    std::istringstream words(text);
    std::string wrapped;
    std::size_t lineLength = 0;
    for (std::string word; words >> word;) {
        if (lineLength > 0 && indent + lineLength + 1 + word.size() > kLineWidth) {
            wrapped += "\n" + std::string(indent, ' ');
            lineLength = 0;
        }
        if (lineLength > 0) {
            wrapped += ' ';
            ++lineLength;
        }
        wrapped += word;
        lineLength += word.size();
    }
    return wrapped;
}

} // namespace

HelpFormatter::HelpFormatter() {
    column_width(kDescriptionColumn);
}

std::string HelpFormatter::make_description(const CLI::App* app) const {
    return Wrap(app->get_description(), 0) + "\n";
}

// One blank line before each group, where the parser puts two between groups.
std::string HelpFormatter::make_usage(const CLI::App* app, std::string name) const {
    return CLI::Formatter::make_usage(app, std::move(name)) + "\n";
}

std::string HelpFormatter::make_group(std::string group, bool isPositional,
                                      std::vector<const CLI::Option*> options) const {
    std::string text = group + ":\n";
    for (const CLI::Option* option : options) {
        text += make_option(option, isPositional);
    }
    return text;
}

std::string HelpFormatter::make_option(const CLI::Option* option, bool isPositional) const {
    std::string line = "  " + make_option_name(option, isPositional) + make_option_opts(option);
    line += line.size() < kDescriptionColumn ? std::string(kDescriptionColumn - line.size(), ' ')
                                             : "\n" + std::string(kDescriptionColumn, ' ');
    return line + Wrap(make_option_desc(option), kDescriptionColumn) + "\n";
}

// Every spelling, the negations too: "--fullscreen, --windowed".
std::string HelpFormatter::make_option_name(const CLI::Option* option, bool) const {
    std::string names;
    for (const std::string& name : option->get_snames()) {
        names += (names.empty() ? "-" : ", -") + name;
    }
    for (const std::string& name : option->get_lnames()) {
        names += (names.empty() ? "--" : ", --") + name;
    }
    return names;
}

// The value's name as the option was given it; the parser appends its
// validators' own descriptions after a colon.
std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
    if (option->get_type_size() == 0) {
        return "";
    }
    const std::string typeName = option->get_type_name();
    return " " + typeName.substr(0, typeName.find(':'));
}

std::string HelpFormatter::make_option_desc(const CLI::Option* option) const {
    std::string description = option->get_description();
    std::string excluded;
    for (const CLI::Option* other : option->get_excludes()) {
        excluded += (excluded.empty() ? "; not with " : " or ") + make_option_name(other, false);
    }
    return description + excluded;
}
