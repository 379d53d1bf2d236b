// --help as the README writes the options: each with its value's own name
// ("--screenshot TIME FILE", "--crf N", "--aspect keep|stretch"), the options
// it excludes said in words after its description, every line wrapped to 80
// columns, and none of the parser's own annotations (value types, counts,
// validators, negated defaults).
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

class HelpFormatter : public CLI::Formatter {
  public:
    HelpFormatter();

    std::string make_description(const CLI::App* app) const override;
    std::string make_usage(const CLI::App* app, std::string name) const override;
    std::string make_group(std::string group, bool isPositional,
                           std::vector<const CLI::Option*> options) const override;
    std::string make_option(const CLI::Option* option, bool isPositional) const override;
    std::string make_option_name(const CLI::Option* option, bool isPositional) const override;
    std::string make_option_opts(const CLI::Option* option) const override;
    std::string make_option_desc(const CLI::Option* option) const override;
};
