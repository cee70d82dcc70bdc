// The command line's conversions: arguments split as Windows programs split them, "/export" with
// its two names recognised in any case, anything else left to name a work file.
#include "app/commands/ConversionCommand.h"

#include <gtest/gtest.h>

TEST(ConversionCommand, ArgumentsSplitAtBlanksOutsideQuotesWithWindowsBackslashRules) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ(V({L"/export", L"my chart.qdrx", L"out.svg"}),
              SplitArguments(L" /export \"my chart.qdrx\"\tout.svg "));
    EXPECT_EQ(V({L"C:\\folder\\", L"b"}), SplitArguments(L"\"C:\\folder\\\\\" b"));
    EXPECT_EQ(V({L"a\"b", L"c\\\\d"}), SplitArguments(L"a\\\"b c\\\\d"));
    EXPECT_EQ(V({L"say \"hi\""}), SplitArguments(L"\"say \"\"hi\"\"\""));
    EXPECT_EQ(V({L"", L"x"}), SplitArguments(L"\"\" x"));
    EXPECT_EQ(V({}), SplitArguments(L"   "));
}

TEST(ConversionCommand, ExportAndBuildNeedBothNamesAndOtherLinesNameAWorkFile) {
    ConversionCommand command =
        ParseConversionCommand(L"\"C:\\Cuadrix\\Cuadrix.exe\" /EXPORT chart.qdrx \"out dir\\p.svg\"");
    EXPECT_EQ(ConversionKind::Export, command.kind);
    EXPECT_EQ(L"chart.qdrx", command.source);
    EXPECT_EQ(L"out dir\\p.svg", command.target);
    EXPECT_EQ(ConversionKind::Export, ParseConversionCommand(L"Cuadrix -export a b").kind);
    command = ParseConversionCommand(L"Cuadrix /Build people.csv chart.qdrx");
    EXPECT_EQ(ConversionKind::Build, command.kind);
    EXPECT_EQ(L"people.csv", command.source);
    EXPECT_EQ(L"chart.qdrx", command.target);
    EXPECT_EQ(ConversionKind::Malformed, ParseConversionCommand(L"Cuadrix /build people.csv").kind);

    EXPECT_EQ(ConversionKind::Malformed, ParseConversionCommand(L"Cuadrix /export chart.qdrx").kind);
    EXPECT_EQ(ConversionKind::Malformed, ParseConversionCommand(L"Cuadrix /export a b c").kind);
    EXPECT_EQ(ConversionKind::Malformed, ParseConversionCommand(L"Cuadrix /export \"\" b").kind);

    EXPECT_EQ(ConversionKind::None, ParseConversionCommand(L"Cuadrix").kind);
    EXPECT_EQ(ConversionKind::None, ParseConversionCommand(L"Cuadrix \"C:\\charts\\export.qdrx\"").kind);
    EXPECT_EQ(ConversionKind::None, ParseConversionCommand(L"Cuadrix /exports a b").kind);
}

TEST(ConversionCommand, PrintNeedsOneWorkFileAndItsUsageIsItsOwn) {
    const ConversionCommand command = ParseConversionCommand(L"Cuadrix /Print \"my charts\\chart.qdrx\"");
    EXPECT_EQ(ConversionKind::Print, command.kind);
    EXPECT_EQ(L"my charts\\chart.qdrx", command.source);
    EXPECT_TRUE(command.target.empty());
    for (const wchar_t* line : {L"Cuadrix /print", L"Cuadrix -print a b", L"Cuadrix /print \"\""}) {
        const ConversionCommand malformed = ParseConversionCommand(line);
        EXPECT_EQ(ConversionKind::Malformed, malformed.kind) << line;
        EXPECT_EQ(ConversionKind::Print, malformed.named) << line;
    }
    EXPECT_EQ(ConversionKind::Export, ParseConversionCommand(L"Cuadrix /export a").named);
    EXPECT_EQ(ConversionKind::None, ParseConversionCommand(L"Cuadrix print.qdrx").kind);
}

TEST(ConversionCommand, BuildTakesColumnsByHeaderOrNumberAnywhereAfterItsName) {
    struct Case {
        const wchar_t* line;
        ConversionKind kind;
        std::array<std::wstring, 6> columns;
    };
    const Case cases[] = {
        {L"Cuadrix /build a.csv b.qdrx", ConversionKind::Build, {}},
        {L"Cuadrix /build /FIRST:2 a.csv -last:\"Family name\" b.qdrx /Title:Job /id:1 /manager:\"Reports "
         L"to\"",
         ConversionKind::Build,
         {L"", L"2", L"Family name", L"Job", L"1", L"Reports to"}},
        {L"Cuadrix /build a.csv b.qdrx /name:Worker", ConversionKind::Build, {L"Worker"}},
        {L"Cuadrix /build a.csv b.qdrx /name:", ConversionKind::Malformed, {}},
        {L"Cuadrix /build a.csv /name:1", ConversionKind::Malformed, {}},
        {L"Cuadrix /build a.csv b.qdrx /boss:1", ConversionKind::Malformed, {}},
        {L"Cuadrix /export a.qdrx b.png /name:1", ConversionKind::Malformed, {}},
    };
    for (const Case& c : cases) {
        ConversionCommand command = ParseConversionCommand(c.line);
        EXPECT_EQ(c.kind, command.kind) << c.line;
        if (c.kind != ConversionKind::Build) continue;
        EXPECT_EQ(L"a.csv", command.source) << c.line;
        EXPECT_EQ(L"b.qdrx", command.target) << c.line;
        EXPECT_EQ(c.columns, command.columns) << c.line;
    }
}

TEST(ConversionCommand, ExportTakesPaperAndPagesAnywhereAfterItsName) {
    struct Case {
        const wchar_t* line;
        ConversionKind kind;
        const wchar_t* paper;
        const wchar_t* pages;
    };
    const Case cases[] = {
        {L"Cuadrix /export a.qdrb c:\\out\\b.pdf", ConversionKind::Export, L"", L""},
        {L"Cuadrix /export /PAPER:Letter a.qdrb c:\\out\\b.pdf -pages:2-5", ConversionKind::Export, L"Letter",
         L"2-5"},
        {L"Cuadrix /export a.qdrb c:\\out\\b.pdf /paper:", ConversionKind::Malformed, L"", L""},
        {L"Cuadrix /export a.qdrb /pages:1", ConversionKind::Malformed, L"", L"1"},
        {L"Cuadrix /build a.csv b.qdrx /paper:A4", ConversionKind::Malformed, L"", L""},
    };
    for (const Case& c : cases) {
        ConversionCommand command = ParseConversionCommand(c.line);
        EXPECT_EQ(c.kind, command.kind) << c.line;
        if (c.kind != ConversionKind::Export) continue;
        EXPECT_EQ(L"a.qdrb", command.source) << c.line;
        EXPECT_EQ(L"c:\\out\\b.pdf", command.target) << c.line;
        EXPECT_EQ(c.paper, command.paper) << c.line;
        EXPECT_EQ(c.pages, command.pages) << c.line;
    }
}
