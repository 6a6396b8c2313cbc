#pragma once
// How the Windows private-profile functions answer for given INI bytes, as observed under Wine
// with code page 932. The in-memory store is tested natively against these tables and the real
// functions are tested under Wine against the same tables, so the two cannot drift apart.
// Non-ASCII bytes are written as escapes: the Windows build recodes literal characters.

#include <climits>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava::profile_cases {

using std::string_view_literals::operator""sv;

enum class FileSetup {
    Text,             // a file holding fileText
    NoFile,           // no file in an existing directory
    ReadOnly,         // fileText in a read-only file
    DirectoryMissing, // the file's directory does not exist
};

inline constexpr std::size_t kWideBuffer = 64;
inline constexpr int kIntDefault = 77;

struct ReadCase {
    std::string_view name;
    std::string_view fileText;
    std::string_view section;
    std::string_view key;
    std::string_view def;
    std::size_t bufferSize;
    std::string_view expectedText;
    int expectedInt; // GetInt with kIntDefault
    FileSetup setup = FileSetup::Text;
};

// clang-format off
inline const std::vector<ReadCase> kReadCases = {
    // Finding the key
    {"SectionAndKeyIgnoreAsciiCase", "[Window_Position]\r\nWindow_Width=300\r\n", "window_position", "WINDOW_WIDTH", "d", kWideBuffer, "300", 300},
    {"KeyPrefixDoesNotMatch", "[Window_Position]\r\nWindow_Width=300\r\n", "Window_Position", "Window_Widt", "d", kWideBuffer, "d", kIntDefault},
    {"BlanksAroundKeyAndValueIgnored", "[S]\r\n \t Key \t=  \t 12  \t\r\n", "S", "Key", "d", kWideBuffer, "12", 12},
    {"BlanksAroundRequestedNamesIgnored", "[S]\r\nKey=12\r\n", " S\t", " Key ", "d", kWideBuffer, "12", 12},
    {"BlanksInsideHeaderIgnored", "[ S ]\r\nk=1\r\n", "S", "k", "d", kWideBuffer, "1", 1},
    {"TextAfterHeaderIgnored", "[S] ;note\r\nk=1\r\n", "S", "k", "d", kWideBuffer, "1", 1},
    {"LastBracketClosesHeader", "[S]x]\r\nk=1\r\n", "S]x", "k", "d", kWideBuffer, "1", 1},
    {"UnclosedHeaderIsAnOrdinaryLine", "[S]\r\n[T\r\nk=1\r\n", "S", "k", "d", kWideBuffer, "1", 1},
    {"KeysAboveFirstHeaderAnswerEmptySection", "top=5\r\n[S]\r\nk=1\r\n", "", "top", "d", kWideBuffer, "5", 5},
    {"DuplicateKeyFirstWins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "d", kWideBuffer, "1", 1},
    {"KeyOnlyInLaterDuplicateSectionNotFound", "[S]\r\nk=1\r\n[s]\r\nj=3\r\n", "S", "j", "d", kWideBuffer, "d", kIntDefault},
    {"LineWithoutEqualsGivesDefault", "[S]\r\nnoeq\r\n", "S", "noeq", "d", kWideBuffer, "d", kIntDefault},
    {"SemicolonLineIsAnOrdinaryKey", "[S]\r\n;k=1\r\n", "S", ";k", "d", kWideBuffer, "1", 1},
    {"SemicolonLineDoesNotDefineItsKey", "[S]\r\n;k=1\r\n", "S", "k", "d", kWideBuffer, "d", kIntDefault},
    {"EmptyKeyFindsNamelessLine", "[S]\r\n=e1\r\n", "S", "", "d", kWideBuffer, "e1", 0},
    {"DoubleByteKeyMatchesExactly", "[S]\r\n\x82\x60=1\r\n", "S", "\x82\x60", "d", kWideBuffer, "1", 1},
    {"FullWidthLettersDoNotFoldCase", "[S]\r\n\x82\x60=1\r\n", "S", "\x82\x81", "d", kWideBuffer, "d", kIntDefault},
    {"TrailByteThatLooksLikeALetterDoesNotFold", "[S]\r\n\x83\x41=1\r\n", "S", "\x83\x61", "d", kWideBuffer, "d", kIntDefault},
    {"MissingSectionGivesDefault", "[S]\r\nk=1\r\n", "Nope", "k", "d", kWideBuffer, "d", kIntDefault},
    {"MissingFileGivesDefault", "", "S", "k", "d", kWideBuffer, "d", kIntDefault, FileSetup::NoFile},
    {"EmptyFileGivesDefault", "", "S", "k", "d", kWideBuffer, "d", kIntDefault},
    {"ReadOnlyFileReadsNormally", "[S]\r\nk=1\r\n", "S", "k", "d", kWideBuffer, "1", 1, FileSetup::ReadOnly},
    {"MissingDirectoryGivesDefault", "", "S", "k", "d", kWideBuffer, "d", kIntDefault, FileSetup::DirectoryMissing},

    // Values and defaults
    {"EmptyValueIsEmptyTextButDefaultInt", "[S]\r\nk=\r\n", "S", "k", "d", kWideBuffer, "", kIntDefault},
    {"ValueSingleQuotesRemoved", "[S]\r\nk='quoted'\r\n", "S", "k", "d", kWideBuffer, "quoted", 0},
    {"ValueDoubleQuotesRemoved", "[S]\r\nk=\"-7\"\r\n", "S", "k", "d", kWideBuffer, "-7", -7},
    {"BlanksInsideQuotesKept", "[S]\r\nk=' 8 '\r\n", "S", "k", "d", kWideBuffer, " 8 ", 8},
    {"MismatchedQuotesKept", "[S]\r\nk='mis\"\r\n", "S", "k", "d", kWideBuffer, "'mis\"", 0},
    {"LoneQuoteKept", "[S]\r\nk='\r\n", "S", "k", "d", kWideBuffer, "'", 0},
    {"EmptyQuotesAreEmpty", "[S]\r\nk=''\r\n", "S", "k", "d", kWideBuffer, "", kIntDefault},
    {"DefaultTrailingSpacesDropped", "[S]\r\n", "S", "k", "dflt  ", kWideBuffer, "dflt", kIntDefault},
    {"DefaultOfSpacesKeepsOne", "[S]\r\n", "S", "k", "   ", kWideBuffer, " ", kIntDefault},
    {"DefaultQuotesRemoved", "[S]\r\n", "S", "k", "'dq'", kWideBuffer, "dq", kIntDefault},
    {"DefaultQuotesRemovedForMissingFile", "", "S", "k", "'dq'", kWideBuffer, "dq", kIntDefault, FileSetup::NoFile},
    {"DefaultQuotesKeptForMissingDirectory", "", "S", "k", "'dq' ", kWideBuffer, "'dq'", kIntDefault, FileSetup::DirectoryMissing},
    {"ControlCharactersKept", "[S]\r\nk=\x01v\x01\r\n", "S", "k", "d", kWideBuffer, "\x01v\x01", 0},
    {"CtrlZCountsAsBlank", "[S]\r\nk=\x1a" "9\x1a\r\n", "S", "k", "d", kWideBuffer, "9", 9},
    {"IdeographicSpaceIsNotBlank", "[S]\r\nk=\x81\x40v\x81\x40\r\n", "S", "k", "d", kWideBuffer, "\x81\x40v\x81\x40", 0},
    {"NulEndsValue", "[S]\r\nk=4\0" "5\r\n"sv, "S", "k", "d", kWideBuffer, "4", 4},
    {"HeaderCutAtNulKeepsBlankBeforeIt", "[S \0x]\r\nk=1\r\n"sv, "S", "k", "d", kWideBuffer, "d", kIntDefault},
    {"Utf8MarkerSkipped", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "d", kWideBuffer, "v", 0},

    // Buffer size
    {"ValueCutToBufferMinusOne", "[S]\r\nk=12345678\r\n", "S", "k", "d", 5, "1234", 12345678},
    {"BufferOfOneGivesEmpty", "[S]\r\nk=12345678\r\n", "S", "k", "d", 1, "", 12345678},
    {"BufferOfZeroGivesEmpty", "[S]\r\nk=12345678\r\n", "S", "k", "d", 0, "", 12345678},
    {"DefaultCutToBufferMinusOne", "[S]\r\n", "S", "k", "abcdef", 4, "abc", kIntDefault},
    {"QuotedValueCutBeforeClosingQuote", "[S]\r\nk='quoted'\r\n", "S", "k", "d", 6, "quote", 0},
    {"QuotedValueJustFillingBufferLosesLastLetter", "[S]\r\nk='quoted'\r\n", "S", "k", "d", 7, "quote", 0},
    {"QuotedValueWithRoomToSpareComplete", "[S]\r\nk='quoted'\r\n", "S", "k", "d", 8, "quoted", 0},
    {"IntegerReadsOnly29Characters", "[S]\r\nk=000000000000000000000000000012\r\n", "S", "k", "d", kWideBuffer, "000000000000000000000000000012", 1},
    {"DoubleByteTextThatFits", "[S]\r\nk=\x82\xA0\x82\xA2\x82\xA4\r\n", "S", "k", "d", 7, "\x82\xA0\x82\xA2\x82\xA4", 0},
    {"DoubleByteTextCutWholeCharacters", "[S]\r\nk=\x82\xA0\x82\xA2\x82\xA4\r\n", "S", "k", "d", 5, "\x82\xA0\x82\xA2", 0},
    {"DoubleByteCharacterNeverSplit", "[S]\r\nk=\x82\xA0\x82\xA2\x82\xA4\r\n", "S", "k", "d", 4, "\x82\xA0", 0},
    {"LoneDoubleByteCharacterDroppedFromTinyBuffer", "[S]\r\nk=\x82\xA0\r\n", "S", "k", "d", 2, "", 0},
    {"MixedTextCutBeforeDoubleByte", "[S]\r\nk=a\x82\xA0" "b\r\n", "S", "k", "d", 3, "a", 0},
    {"TrailByte5CIsPartOfCharacter", "[S]\r\nk=\x95\x5C\x95\x5C\r\n", "S", "k", "d", 4, "\x95\x5C", 0},
    {"TrailByte5CAtValueEnd", "[S]\r\nk=\x83\x5C\r\nj=2\r\n", "S", "j", "d", kWideBuffer, "2", 2},

    // Line ends and undecodable bytes
    {"LfLineEnds", "[S]\nk=1\nj=2\n", "S", "j", "d", kWideBuffer, "2", 2},
    {"CrLineEnds", "[S]\rk=1\rj=2", "S", "j", "d", kWideBuffer, "2", 2},
    {"NoFinalLineEnd", "[S]\r\nk=1", "S", "k", "d", kWideBuffer, "1", 1},
    {"LeadByteBeforeCrlfTakesTheCr", "[S]\r\na=x\x81\r\nb=after\r\n", "S", "a", "d", kWideBuffer, "x\x81\x45", 0},
    {"LineAfterLeadByteAndCrlfSurvives", "[S]\r\na=x\x81\r\nb=after\r\n", "S", "b", "d", kWideBuffer, "after", 0},
    {"LeadByteBeforeLfSwallowsNextLine", "[S]\na=x\x81\nb=after\n", "S", "a", "d", kWideBuffer, "x\x81\x45" "b=after", 0},
    {"LineSwallowedAfterLeadByteIsGone", "[S]\na=x\x81\nb=after\n", "S", "b", "d", kWideBuffer, "d", kIntDefault},
    {"LeadByteAtEndOfFile", "[S]\r\nk=z\x81", "S", "k", "d", kWideBuffer, "z\x81\x45", 0},
    {"InvalidTrailByteEatenIntoDot", "[S]\r\nk=x\x81 y\r\n", "S", "k", "d", kWideBuffer, "x\x81\x45y", 0},
    {"UnassignedCodeBecomesDot", "[S]\r\nk=\x85\x40\r\n", "S", "k", "d", kWideBuffer, "\x81\x45", 0},
    {"NecSelectedIbmCodeComesBackAsIbm", "[S]\r\nk=\xED\x40\xEE\xF9\r\n", "S", "k", "d", kWideBuffer, "\xFA\x5C\x81\xCA", 0},
    {"NecRow13DuplicateComesBackAsJis", "[S]\r\nk=\x87\x90\xFA\x4A\r\n", "S", "k", "d", kWideBuffer, "\x81\xE0\x87\x54", 0},
    {"KeyWithDuplicateCodeFoundByEitherCode", "[S]\r\nk\xED\x40=1\r\n", "S", "k\xFA\x5C", "d", kWideBuffer, "1", 1},
    {"SingleBytesOutsideTablePassThrough", "[S]\r\nk=\x80\xA0\xFD\xFE\xFF\r\n", "S", "k", "d", kWideBuffer, "\x80\xA0\xFD\xFE\xFF", 0},
    {"HalfWidthKatakanaPassThrough", "[S]\r\nk=\xB1\xB2\xDF\r\n", "S", "k", "d", kWideBuffer, "\xB1\xB2\xDF", 0},
    {"DefaultEndingInLeadByteLosesIt", "[S]\r\n", "S", "k", "x\x81", kWideBuffer, "x", kIntDefault},
    {"DefaultDuplicateCodeComesBackCanonical", "[S]\r\n", "S", "k", "\xED\x40", kWideBuffer, "\xFA\x5C", kIntDefault},
};
// clang-format on

struct IntCase {
    std::string_view name;
    std::string_view value; // stored as "[I]\r\nk=<value>\r\n"
    int expected;           // GetInt("I", "k", kIntDefault)
};

inline std::string IntCaseFile(std::string_view value) {
    return "[I]\r\nk=" + std::string(value) + "\r\n";
}

// clang-format off
inline const std::vector<IntCase> kIntCases = {
    {"Plain", "12", 12},
    {"Negative", "-12", -12},
    {"PlusSign", "+12", 12},
    {"TrailingLetters", "12abc", 12},
    {"Garbage", "abc", 0},
    {"SignsTogether", "+-1", 0},
    {"BlankAfterSign", "- 1", 0},
    {"SignAlone", "-", 0},
    {"FullWidthDigits", "\x82\x4F\x82\x50", 0},
    {"Hex", "0x1A", 26},
    {"HexStopsAtNonDigit", "0xfg", 15},
    {"HexPrefixAlone", "0x", 0},
    {"UpperCaseHexPrefixNotHonoured", "0X10", 0},
    {"NegativeHex", "-0x10", -16},
    {"OctalPrefix", "0o17", 15},
    {"BinaryPrefix", "0b101", 5},
    {"LeadingZeroIsStillDecimal", "010", 10},
    {"Quoted", "'42'", 42},
    {"Largest", "2147483647", INT_MAX},
    {"Smallest", "-2147483648", INT_MIN},
    {"OnePastLargestWraps", "2147483648", INT_MIN},
    {"OnePastSmallestWraps", "-2147483649", INT_MAX},
    {"AllBitsWraps", "4294967295", -1},
    {"TwoToThe32WrapsToZero", "4294967296", 0},
    {"ElevenDigitsWrap", "99999999999", 1215752191},
    {"HexAllBits", "0xffffffff", -1},
    {"HexOverflowWraps", "0x100000000", 0},
};
// clang-format on

struct ReadBack {
    std::string_view section;
    std::string_view key;
    std::string_view expected; // GetText with default "?" and a 256-byte buffer
};

struct WriteCase {
    std::string_view name;
    std::string_view fileText;
    FileSetup setup;
    std::string_view section;
    std::string_view key;
    std::string_view value;
    bool expectedResult;
    std::string_view expectedFileText; // "" when no file should exist
    std::vector<ReadBack> readBacks;
};

// A read-only file is not here: Wine running as root writes it anyway.
// clang-format off
inline const std::vector<WriteCase> kWriteCases = {
    {"NewSectionAppended", "[A]\r\nx=1\r\n", FileSetup::Text, "B", "k", "v", true,
     "[A]\r\nx=1\r\n[B]\r\nk=v\r\n", {{"B", "k", "v"}, {"A", "x", "1"}}},
    {"KeyReplacedInPlaceKeepingItsSpelling", "[A]\r\nk=1\r\nj=2\r\n", FileSetup::Text, "a", "K", "3", true,
     "[A]\r\nk=3\r\nj=2\r\n", {{"A", "k", "3"}, {"A", "j", "2"}}},
    {"NewKeyAtEndOfItsSection", "[A]\r\nk=1\r\n[B]\r\nx=1\r\n", FileSetup::Text, "A", "j", "2", true,
     "[A]\r\nk=1\r\nj=2\r\n[B]\r\nx=1\r\n", {{"A", "j", "2"}, {"B", "x", "1"}}},
    {"WholeFileRewrittenWithoutBlankLinesOrSpacing", "top=1\r\n\r\n;comment\r\n[A]\r\n  k1 =  v1  \r\nnoeq\r\n\r\n=e1\r\n=e2\r\n",
     FileSetup::Text, "A", "k2", "new", true,
     "top=1\r\n;comment\r\n[A]\r\nk1=v1\r\nnoeq\r\n=e1\r\nk2=new\r\n", {{"", "top", "1"}, {"A", "k1", "v1"}}},
    {"UnchangedValueLeavesFileAlone", "[A]\r\n  k =  1\r\n\r\n", FileSetup::Text, "A", "k", "1", true,
     "[A]\r\n  k =  1\r\n\r\n", {{"A", "k", "1"}}},
    {"MissingFileCreated", "", FileSetup::NoFile, "S", "k", "v", true, "[S]\r\nk=v\r\n", {{"S", "k", "v"}}},
    {"EmptyFileFilled", "", FileSetup::Text, "S", "k", "v", true, "[S]\r\nk=v\r\n", {{"S", "k", "v"}}},
    {"ValueLeadingBlanksDroppedTrailingKeptUntilReread", "[S]\r\n", FileSetup::Text, "S", "k", " \t three  ", true,
     "[S]\r\nk=three  \r\n", {{"S", "k", "three"}}},
    {"LfFileRewrittenWithCrlf", "[S]\nk=v", FileSetup::Text, "S", "k2", "x", true,
     "[S]\r\nk=v\r\nk2=x\r\n", {{"S", "k", "v"}, {"S", "k2", "x"}}},
    {"ValueEndingInLeadByteLosesIt", "[S]\r\n", FileSetup::Text, "S", "k", "x\x81", true,
     "[S]\r\nk=x\r\n", {{"S", "k", "x"}}},
    {"DoubleByteValueStoredAsIs", "[S]\r\n", FileSetup::Text, "S", "k", "\x95\x5C\x83\x5C", true,
     "[S]\r\nk=\x95\x5C\x83\x5C\r\n", {{"S", "k", "\x95\x5C\x83\x5C"}}},
    {"NewNamesKeepTrailingBlanks", "[S]\r\n", FileSetup::Text, " T ", " k ", "v", true,
     "[S]\r\n[T ]\r\nk =v\r\n", {{"T", "k", "v"}}},
    {"LineBreakInValueAddsAKey", "[S]\r\n", FileSetup::Text, "S", "k", "one\r\nk2=two", true,
     "[S]\r\nk=one\r\nk2=two\r\n", {{"S", "k", "one"}, {"S", "k2", "two"}}},
    {"EqualsInKeyNameSplitsOnReread", "[S]\r\n", FileSetup::Text, "S", "a=b", "c", true,
     "[S]\r\na=b=c\r\n", {{"S", "a", "b=c"}, {"S", "a=b", "?"}}},
    {"DuplicateCodesRewrittenCanonically", "[S]\r\nk=\xED\x40\r\n", FileSetup::Text, "S", "z", "1", true,
     "[S]\r\nk=\xFA\x5C\r\nz=1\r\n", {{"S", "k", "\xFA\x5C"}}},
    {"Utf8MarkerKept", "\xEF\xBB\xBF[S]\r\nk=v\r\n", FileSetup::Text, "S", "k2", "w", true,
     "\xEF\xBB\xBF[S]\r\nk=v\r\nk2=w\r\n", {{"S", "k2", "w"}}},
    {"FirstOfDuplicateSectionsWritten", "[S]\r\nk=v\r\n[s]\r\nk=w\r\n", FileSetup::Text, "s", "j", "T", true,
     "[S]\r\nk=v\r\nj=T\r\n[s]\r\nk=w\r\n", {{"S", "j", "T"}, {"S", "k", "v"}}},
    {"MissingDirectoryRefused", "", FileSetup::DirectoryMissing, "S", "k", "v", false, "", {{"S", "k", "?"}}},
};
// clang-format on

// Failures name the case rather than dumping its bytes.
inline void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const IntCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

} // namespace zentrava::profile_cases
