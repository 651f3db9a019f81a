// The bad-input corpus: every kind of damaged or unexpected text file the readers must survive.
// The same cases are written to tests/data/bad by lineid_make_bad_corpus as fuzzing seeds.
#pragma once

#include <string>
#include <vector>

namespace badinputs {

struct Case {
    std::string name;
    std::string bytes;
};

inline std::vector<Case> cases() {
    auto lines = [](int count, auto line) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text.append(line(i)).append("\n");
        return text;
    };
    std::string manyNumbers;
    for (int i = 1; i <= 100000; ++i)
        manyNumbers.append(std::to_string(i)).append(" ");
    manyNumbers.append("\n");
    using std::string;
    return {
        {"empty", ""},
        {"truncated_number", "400 10\n410 2.5e+"},
        {"truncated_line", "400 10\n410"},
        {"crlf", "400 10\r\n410 20\r\n"},
        {"cr_only", "400 10\r410 20\r"},
        {"no_final_line_end", "400 10\n410 20"},
        {"ctrl_z_inside", "400 10\n\x1a"
                          "410 20\n"},
        {"nul_bytes", string("400\0 10\n410 20\n", 15)},
        {"utf8_bom", "\xEF\xBB\xBF"
                     "400 10\n410 20\n"},
        {"invalid_utf8", "400 10 \xff\xfe\n410 20\n"},
        {"long_line", "400 10 " + string(10u << 20, '7')},
        {"many_numbers_one_line", manyNumbers},
        {"overflow", "1e400 5\n"},
        {"negative_overflow", "-1e400 5\n"},
        {"underflow", "1e-400 5\n"},
        {"nan", "nan 5\n"},
        {"inf", "inf 5\n"},
        {"decimal_comma", "1,5 2\n"},
        {"double_sign", "+-2 3\n"},
        {"text_header", "Longitud Intensidad\n400 10\n"},
        // Atomic line lists: CR LF, flags, a line cut before its intensity closes, a bad value.
        {"list_shaped", "Ar II       4013.860 |   300w | 1.0e+07 |\r\n"
                        "Ar I        4044.420 |   450\r\n"
                        "Ar I        4158.590 |  1000bl | 1.0e+07 |\r\n"},
        {"list_bad_intensity", "Ar I        4044.420 |    450 | 1.0e+07 |\n"
                               "Ar I        4158.590 |  1e400 | 1.0e+07 |\n"},
        {"points_4025", lines(4025, [](int i) { return std::to_string(i) + " 1"; })},
        {"lines_2025", lines(2025, [](int i) { return std::to_string(i) + " 1 Ar I"; })},
        {"entries_145",
         lines(145, [](int i) { return std::to_string(i) + " " + std::to_string(i); })},
        {"names_45",
         lines(45,
               [](int i) { return std::string("f").append(std::to_string(i)).append(".asc"); })},
    };
}

} // namespace badinputs
