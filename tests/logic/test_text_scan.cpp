// The one text scanner under every reader: lines, byte-order marks, blanks and checked numbers,
// and every format reading the same puzzle whichever line ends and marks its text carries.
#include "formats/answer_state_file.h"
#include "formats/non_format.h"
#include "formats/puzzle_file.h"
#include "formats/puzzle_formats.h"
#include "formats/text_scan.h"
#include "formats/webpbn_xml.h"

#include <QTest>

#include <string>
#include <vector>

using namespace zumeli;
using Lines = std::vector<std::string>;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(Lines)

namespace {

enum class Dress { Lf, CrLf, BomCrLf, BomLf, NoFinalLineEnd, Blanks };

// The same text (lines ending in LF) dressed as an editor might save it.
std::string dressed(const std::string& text, Dress dress)
{
    std::string out;
    const bool bom = dress == Dress::BomCrLf || dress == Dress::BomLf;
    if (bom)
        out += kByteOrderMark;
    for (const std::string_view line : textLines(text)) {
        std::string l(line);
        if (dress == Dress::Blanks && !l.empty()) {
            std::string spaced;
            for (const char c : l)
                spaced += c == ',' ? std::string(" ,\t") : std::string(1, c);
            l = "\t " + spaced + " \t";
        }
        out += l;
        out += dress == Dress::CrLf || dress == Dress::BomCrLf ? "\r\n" : "\n";
    }
    if (dress == Dress::NoFinalLineEnd)
        out.pop_back();
    return out;
}

const char* kZml = "2,3,2\n1\n0\n2\n1,1\n3\n";
const char* kSts = "1,0\n2,1\n0,1\n";
const char* kNon = "title \"Two rows\"\nwidth 3\nheight 2\n\nrows\n1,1\n3\n\ncolumns\n2\n1\n2\n";
const char* kXml = "<?xml version=\"1.0\"?>\n<puzzleset>\n<puzzle type=\"grid\">\n<title>Two rows</title>\n"
                   "<clues type=\"columns\">\n<line><count>2</count></line>\n<line><count>1</count></line>\n"
                   "<line><count>2</count></line>\n</clues>\n<clues type=\"rows\">\n"
                   "<line><count>1</count><count>1</count></line>\n<line><count>3</count></line>\n</clues>\n"
                   "</puzzle>\n</puzzleset>\n";

BoardModel twoByThree()
{
    BoardModel model;
    model.clueSize = 2;
    model.gridWidth = 5;
    model.gridHeight = 4;
    return model;
}

} // namespace

class TestTextScan : public QObject {
    Q_OBJECT

private slots:
    void linesEndInCrLfOrLf_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("empty text") << std::string() << Lines{};
        QTest::newRow("only a byte-order mark") << std::string(kByteOrderMark) << Lines{};
        QTest::newRow("one line without an ending") << std::string("a") << Lines{"a"};
        QTest::newRow("one line with LF") << std::string("a\n") << Lines{"a"};
        QTest::newRow("CR LF and an empty line") << std::string("a\r\n\r\nb") << Lines{"a", "", "b"};
        QTest::newRow("mixed endings") << std::string("a\nb\r\nc\n") << Lines{"a", "b", "c"};
        QTest::newRow("a lone CR is no line end") << std::string("a\rb\n") << Lines{"a\rb"};
        QTest::newRow("byte-order mark before the first line")
            << std::string(kByteOrderMark) + "1,2\r\n" << Lines{"1,2"};
        QTest::newRow("a mark later is text") << "a\n" + std::string(kByteOrderMark) << Lines{"a", std::string(kByteOrderMark)};
    }
    void linesEndInCrLfOrLf()
    {
        QFETCH(std::string, text);
        QFETCH(Lines, lines);
        const auto got = textLines(text);
        QCOMPARE(Lines(got.begin(), got.end()), lines);
    }

    void numbersAreCheckedInto16Bits_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("rounded");  // readItem16, or 99999 for a refusal
        QTest::addColumn<int>("floored");  // readFloor16, or 99999 for a refusal
        const int refused = 99999;
        QTest::newRow("plain") << "7" << 7 << 7;
        QTest::newRow("blanks around") << " \t7 " << 7 << 7;
        QTest::newRow("half rounds to even") << "2.5" << 2 << 2;
        QTest::newRow("other half rounds to even") << "3.5" << 4 << 3;
        QTest::newRow("negative fraction") << "-0.5" << 0 << -1;
        QTest::newRow("exponent") << "1e3" << 1000 << 1000;
        QTest::newRow("largest") << "32767" << 32767 << 32767;
        QTest::newRow("rounds past the largest") << "32767.5" << refused << 32767;
        QTest::newRow("smallest") << "-32768" << -32768 << -32768;
        QTest::newRow("below the smallest") << "-32768.5" << -32768 << refused;
        QTest::newRow("past 16 bits") << "40000" << refused << refused;
        QTest::newRow("far past 16 bits") << "1e300" << refused << refused;
        QTest::newRow("not a number") << "x" << refused << refused;
        QTest::newRow("empty") << "" << refused << refused;
    }
    void numbersAreCheckedInto16Bits()
    {
        QFETCH(QString, item);
        QFETCH(int, rounded);
        QFETCH(int, floored);
        const std::string text = item.toStdString();
        auto read = [](auto reader, const std::string& t) {
            try {
                return int(reader(t));
            } catch (const FileFormatError&) {
                return 99999;
            }
        };
        QCOMPARE(read(readItem16, text), rounded);
        QCOMPARE(read(readFloor16, text), floored);
    }

    void countsStopAtTheFirstFault_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("value");
        QTest::newRow("whole") << " 12\r" << int(CountReading::None) << 12;
        QTest::newRow("zero") << "0" << int(CountReading::None) << 0;
        QTest::newRow("the limit") << "1000" << int(CountReading::None) << 1000;
        QTest::newRow("past the limit") << "1001" << int(CountReading::TooLarge) << 1001;
        QTest::newRow("past the limit before a letter") << "99999x" << int(CountReading::TooLarge) << 9999;
        QTest::newRow("empty") << "  " << int(CountReading::Empty) << 0;
        QTest::newRow("negative") << "-2" << int(CountReading::Negative) << 0;
        QTest::newRow("fraction") << "2.0" << int(CountReading::NotWhole) << 2;
        QTest::newRow("sign") << "+2" << int(CountReading::NotWhole) << 0;
    }
    void countsStopAtTheFirstFault()
    {
        QFETCH(QString, text);
        QFETCH(int, fault);
        QFETCH(int, value);
        const CountReading count = readCount(text.toStdString(), 1000);
        QCOMPARE(int(count.fault), fault);
        if (fault == CountReading::None)
            QCOMPARE(int(count.value), value);
    }

    // Each reader, given its text with CR LF or LF, with or without a byte-order mark, without
    // the last line end or with blanks around its numbers, reads exactly what the plain text gives.
    void everyReaderAgreesOnLineEndsMarksAndBlanks_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("dress");
        const std::pair<const char*, Dress> dresses[] = {
            {"CR LF", Dress::CrLf},          {"byte-order mark and CR LF", Dress::BomCrLf},
            {"byte-order mark and LF", Dress::BomLf}, {"no final line end", Dress::NoFinalLineEnd},
            {"blanks", Dress::Blanks}};
        for (const char* format : {"zml", "sts", "non", "xml"})
            for (const auto& [name, dress] : dresses)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(format, name)))
                    << QString(format) << int(dress);
    }
    void everyReaderAgreesOnLineEndsMarksAndBlanks()
    {
        QFETCH(QString, format);
        QFETCH(int, dress);
        const auto as = [&](const char* text) { return dressed(text, static_cast<Dress>(dress)); };
        if (format == "zml") {
            const BoardModel plain = parsePuzzleText(kZml);
            QVERIFY(parsePuzzleText(as(kZml)) == plain);
            QVERIFY(boardFromPuzzleFile("p", as(kZml)) == plain);
        } else if (format == "sts") {
            QVERIFY(applyAnswerState(twoByThree(), as(kSts)) == applyAnswerState(twoByThree(), kSts));
        } else {
            const bool xml = format == "xml";
            const auto read = [&](const std::string& text) { return xml ? parseWebpbnXml(text) : parseNonText(text); };
            const solver::Puzzle plain = read(xml ? kXml : kNon);
            const solver::Puzzle got = read(as(xml ? kXml : kNon));
            QCOMPARE(got.rows, plain.rows);
            QCOMPARE(got.columns, plain.columns);
            QCOMPARE(QString::fromStdString(got.title), QStringLiteral("Two rows"));
            QCOMPARE(plain.rows, (std::vector<std::vector<int>>{{1, 1}, {3}}));
            // Format detection sees through the same marks and blanks.
            QCOMPARE(int(detectPuzzleFormat("p", as(xml ? kXml : kNon))),
                     int(xml ? PuzzleFormat::WebpbnXml : PuzzleFormat::Non));
        }
    }
};

QTEST_APPLESS_MAIN(TestTextScan)
#include "test_text_scan.moc"
