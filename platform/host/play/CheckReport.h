// --check: everything the show would load, loaded and reported on one screen
// without opening a window: the script's runs (or its errors), every effect
// with its runs, every picture with its size, the music's length against the
// show's. The effects' Init runs on a small offscreen surface, so exactly the
// files the show asks for are checked.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

struct RegisteredShow;
class DataSource;

// Prints the report on stdout; returns 0 when nothing is wrong, else 2 (also
// when the report could not be written).
// searched: the places looked in for the data (empty when it was given).
int RunCheck(std::unique_ptr<DataSource> source, const RegisteredShow& setup,
             const std::vector<std::filesystem::path>& searched);
