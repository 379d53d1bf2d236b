#include "platform/host/timeline/TimelineScript.h"

#include <gtest/gtest.h>

#include <ostream>

bool operator==(const ScriptError& a, const ScriptError& b) {
    return a.line == b.line && a.message == b.message;
}
std::ostream& operator<<(std::ostream& out, const ScriptError& e) {
    return out << e.line << ": " << e.message;
}

namespace {

const std::vector<RegisteredName> kEffects = {
    {"BASS", true}, {"LOGO", true}, {"FLARE", true}, {"BROKEN", false}};

struct Parsed {
    Timeline timeline;
    std::vector<ScriptError> errors;
};

Parsed Parse(std::string_view text) {
    Parsed parsed;
    parsed.timeline = ParseTimelineScript(text, kEffects, &parsed.errors);
    return parsed;
}

TEST(TimelineScriptTest, ReadsRunsInScriptOrderWithIndicesAndLines) {
    const Parsed parsed = Parse("# effect  start     end       layer\n"
                                "BASS      0:00      2:24      0\n"
                                "\n"
                                "LOGO      0         9000      1\n"
                                "FLARE     0:00.000  0:09.000  2   # trailing comment\n"
                                "END       2:24\n");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0];
    const auto& runs = parsed.timeline.runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].effect, 0);
    EXPECT_EQ(runs[0].endMs, 144000);
    EXPECT_EQ(runs[0].line, 2);
    EXPECT_EQ(runs[1].effect, 1);
    EXPECT_EQ(runs[1].endMs, 9000);
    EXPECT_EQ(runs[1].layer, 1);
    EXPECT_EQ(runs[1].line, 4);
    EXPECT_EQ(runs[2].effect, 2);
    EXPECT_EQ(runs[2].startMs, 0);
    EXPECT_EQ(runs[2].endMs, 9000);
    EXPECT_EQ(runs[2].layer, 2);
    EXPECT_EQ(parsed.timeline.endMs, 144000);
}

TEST(TimelineScriptTest, AcceptsEveryTimeForm) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0},
        {"9000", 9000},
        {"2:24", 144000},
        {"0:09.000", 9000},
        {"0:09.5", 9500},
        {"0:09.05", 9050},
        {"1:00.123", 60123},
        {"10:59.999", 659999},
        {"1440:00", 86400000},
        {"86400000", 86400000},
        {"00:00", 0},
        {"007", 7},
    };
    for (const auto& [text, ms] : cases) {
        int timeMs = -1;
        EXPECT_TRUE(ParseScriptTime(text, &timeMs)) << text;
        EXPECT_EQ(timeMs, ms) << text;
    }
}

TEST(TimelineScriptTest, RefusesMalformedTimes) {
    for (const char* text :
         {"0:60", "1:5", "1:005", "-1", "+5", "1.5", "0:09.", "0:09.1234", "abc", ":30",
          "1:", "1:30:00", "1:3a", "0:09.5x", "99999999999999999999", "0x10"}) {
        const Parsed parsed = Parse("BASS 0 1 0\nEND " + std::string(text) + "\n");
        const std::vector<ScriptError> expected = {
            {2, "malformed time '" + std::string(text) + "'"}};
        EXPECT_EQ(parsed.errors, expected) << text;
    }
    // Well formed but past the longest show.
    for (const char* text : {"86400001", "1440:00.001", "99999:59.999"}) {
        const Parsed parsed = Parse("BASS 0 " + std::string(text) + " 0\n");
        const std::vector<ScriptError> expected = {
            {1, "time '" + std::string(text) + "' is past 24 h (1440:00)"}};
        EXPECT_EQ(parsed.errors, expected) << text;
    }
}

TEST(TimelineScriptTest, ReportsEveryErrorWithItsLine) {
    const Parsed parsed = Parse("BASS 0:00 2:24 0\n"
                                "FOO 0 1000 1\n"
                                "LOGO 0:09 0:05 1\n"
                                "LOGO 0 1000 one\n"
                                "LOGO x 1:0 -1\n"
                                "FLARE 0 1000\n"
                                "BROKEN 0 1000 2\n"
                                "BASS 2:00 3:00 0\n"
                                "END\n"
                                "END 2:24\n"
                                "END 2:30\n"
                                "LOGO 5 5 1\n");
    const std::vector<ScriptError> expected = {
        {2, "unknown effect 'FOO'; known effects: BASS, LOGO, FLARE, BROKEN"},
        {3, "end 0:05 is not after start 0:09"},
        {4, "malformed layer 'one'"},
        {5, "malformed time 'x'"},
        {5, "malformed time '1:0'"},
        {5, "malformed layer '-1'"},
        {6, "expected: EFFECT START END LAYER"},
        {7, "effect 'BROKEN' could not be created"},
        {8, "'BASS' overlaps its run on line 1"},
        {9, "expected: END TIME"},
        {11, "duplicate END (first on line 10)"},
        {12, "end 5 is not after start 5"},
    };
    EXPECT_EQ(parsed.errors, expected);
}

// An END that cuts every run short is a slip, most often milliseconds written
// for seconds; an END where the first run ends is fine.
TEST(TimelineScriptTest, AnEndBeforeEveryRunEndsIsAnErrorOnItsLine) {
    const std::pair<const char*, std::vector<ScriptError>> cases[] = {
        {"LOGO 0 0:09 1\nEND 0\n", {{2, "END 0 leaves no show"}}},
        {"LOGO 0 0:09 1\nFLARE 0:01 2:24 2\n\nEND 144\n",
         {{4, "END 0:00.144 comes before every run ends (the first ends at 0:09, line 1)"}}},
        {"FLARE 0:01 2:24 2\nLOGO 0 0:09 1\nEND 0:09\n", {}},
        {"LOGO 0 0:09 1\nFLARE 0:01 2:24 2\nEND 1:00\n", {}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Parse(text).errors, expected) << text;
    }
}

TEST(TimelineScriptTest, OverlapIsReportedOnTheLaterLineOnlyWhenRunsShareTime) {
    const Parsed touching = Parse("LOGO 0:00 0:09 1\nLOGO 0:09 0:27 2\nFLARE 0 0:27 1\n");
    EXPECT_TRUE(touching.errors.empty()) << touching.errors[0];

    const Parsed reversed = Parse("LOGO 1:00 2:00 1\n"
                                  "# a comment line still counts\n"
                                  "LOGO 0:00 1:00.001 1\n"
                                  "LOGO 0:10 0:20 1\n");
    const std::vector<ScriptError> expected = {{3, "'LOGO' overlaps its run on line 1"},
                                               {4, "'LOGO' overlaps its run on line 3"}};
    EXPECT_EQ(reversed.errors, expected);
}

// BROKEN is registered but unused here, which is no error.
TEST(TimelineScriptTest, WithoutEndTheShowEndsWithTheLastRun) {
    const Parsed parsed = Parse("LOGO 0 0:27 1\nBASS 0 2:24 0\nFLARE 1:00 1:10 2\n");
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.timeline.endMs, 144000);
}

TEST(TimelineScriptTest, AcceptsBomCrlfTabsAndCommentsAnywhere) {
    const Parsed parsed = Parse("\xEF\xBB\xBF# title\r\n"
                                "\tBASS\t0:00 \t 2:24\t0\t\r\n"
                                "   \r\n"
                                "LOGO 0 1 1#glued comment\r\n"
                                "END 2:24#end");
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0];
    ASSERT_EQ(parsed.timeline.runs.size(), 2u);
    EXPECT_EQ(parsed.timeline.runs[1].line, 4);
    EXPECT_EQ(parsed.timeline.runs[1].layer, 1);
    EXPECT_EQ(parsed.timeline.endMs, 144000);
}

TEST(TimelineScriptTest, ScriptWithoutRunsIsRefused) {
    for (const char* text : {"", "# only a comment\n\n", "END 2:24\n"}) {
        const std::vector<ScriptError> expected = {{1, "no runs"}};
        EXPECT_EQ(Parse(text).errors, expected) << text;
    }
}

TEST(TimelineScriptTest, OversizedInputIsRefused) {
    const std::string longLine = "BASS 0 1000 0 #" + std::string(4096, 'x') + "\nLOGO 0 1000 1\n";
    const std::vector<ScriptError> lineError = {{1, "line is over 4096 bytes"}};
    EXPECT_EQ(Parse(longLine).errors, lineError);

    std::string huge = "BASS 0 1000 0\n";
    huge += std::string((1u << 20) - huge.size() + 1, '\n');
    const std::vector<ScriptError> sizeError = {{1, "script is over 1 MiB"}};
    EXPECT_EQ(Parse(huge).errors, sizeError);
}

TEST(TimelineScriptTest, QuotedNamesStayOneShortLineThatNothingHidesOrTurns) {
    // A control byte, a direction override with a byte that is not UTF-8, and
    // a name of 100 characters (two bytes each).
    std::string wide;
    for (int i = 0; i < 100; ++i) {
        wide += "\u00e9";
    }
    const Parsed parsed = Parse("BA\x1bSS 0 1 0\nB\u202e\xff"
                                "ASS 0 1 0\n" +
                                wide + " 0 1 0\nBASS 0 1 0\n");
    ASSERT_EQ(parsed.errors.size(), 3u);
    const std::string quoted[] = {"'BA\\x1bSS'", "'B\\u{202e}\\xffASS'",
                                  "'" + wide.substr(0, 160) + "\u2026'"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(parsed.errors[i].message.rfind("unknown effect " + quoted[i] + ";", 0), 0u)
            << parsed.errors[i].message;
    }
}

} // namespace
