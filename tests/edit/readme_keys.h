// The first cells of README's key table, as the help and the key command
// tests compare them.
#pragma once

#include <fstream>
#include <set>
#include <string>
#include <vector>

inline std::string readme_path() {
    const std::string here = __FILE__;
    return here.substr(0, here.rfind("tests/edit/")) + "README.md";
}

inline std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    const auto e = s.find_last_not_of(' ');
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// First cells of the rows of the table under "## Keys and mouse", without
// backticks and without the "(repeats)" notes.
inline std::set<std::string> readme_keys() {
    std::ifstream readme(readme_path());
    std::set<std::string> keys;
    std::string line;
    bool in_section = false;
    while (std::getline(readme, line)) {
        if (line.rfind("## ", 0) == 0) in_section = line == "## Keys and mouse";
        if (!in_section || line.rfind("| ", 0) != 0) continue;
        std::string cell = line.substr(2, line.find(" |", 1) - 2);
        std::string plain;
        for (char c : cell) {
            if (c != '`') plain += c;
        }
        const auto note = plain.find(" (repeat");
        if (note != std::string::npos) plain = plain.substr(0, note);
        plain = trim(plain);
        if (plain != "Key or gesture" && plain.find("---") == std::string::npos) keys.insert(plain);
    }
    return keys;
}

// "Page Up / Page Down" names two keys.
inline std::vector<std::string> split_pair(const std::string& cell) {
    const auto slash = cell.find(" / ");
    if (slash == std::string::npos) return {cell};
    return {cell.substr(0, slash), cell.substr(slash + 3)};
}
