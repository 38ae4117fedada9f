// The .non and webpbn XML readers and writers, board <-> clue conversions, .zml round trip.
#include "formats/board_clues.h"
#include "formats/non_format.h"
#include "formats/puzzle_file.h"
#include "formats/puzzle_formats.h"
#include "formats/webpbn_xml.h"
#include "solve/engine/solver.h"
#include "support/ascii_board.h"

#include <QTest>

#include <fstream>
#include <random>
#include <sstream>

using namespace zumeli;
using solver::Puzzle;

namespace {

std::string readFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Clue lines written "1,2;;3": lines separated by ';', runs by ','.
QString cluesText(const std::vector<std::vector<int>>& lines)
{
    QStringList out;
    for (const auto& runs : lines) {
        QStringList numbers;
        for (const int r : runs)
            numbers << QString::number(r);
        out << numbers.join(',');
    }
    return out.join(';');
}

void comparePuzzles(const Puzzle& a, const Puzzle& b)
{
    QCOMPARE(cluesText(a.rows), cluesText(b.rows));
    QCOMPARE(cluesText(a.columns), cluesText(b.columns));
    QCOMPARE(QString::fromStdString(a.title), QString::fromStdString(b.title));
    QCOMPARE(QString::fromStdString(a.author), QString::fromStdString(b.author));
    QCOMPARE(QString::fromStdString(a.copyright), QString::fromStdString(b.copyright));
    QCOMPARE(QString::fromStdString(a.catalogue), QString::fromStdString(b.catalogue));
    QCOMPARE(QString::fromStdString(a.goal), QString::fromStdString(b.goal));
}

QStringList sharedPuzzleFiles()
{
    QStringList files;
    const QString root = QStringLiteral(ZUMELI_SAMPLE_PUZZLES);
    for (const QString& folder : {QStringLiteral("webpbn"), QStringLiteral("dom")}) {
        QDir dir(root + "/" + folder);
        for (const QString& name : dir.entryList({"*.non"}, QDir::Files, QDir::Name))
            files << dir.filePath(name);
    }
    return files;
}

const char* kSmallXml =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE pbn SYSTEM \"http://webpbn.com/pbn-0.3.dtd\">\n"
    "<puzzleset>\n"
    "<puzzle type=\"grid\" defaultcolor=\"black\">\n"
    "<source>webpbn.com</source>\n"
    "<id>#7</id>\n"
    "<title>Fish &amp; Chips &#x41;&#66;</title>\n"
    "<author>A &lt;B&gt;</author>\n"
    "<copyright>&copy; 2024</copyright>\n"
    "<color name=\"white\" char=\".\">fff</color>\n"
    "<color name=\"black\" char=\"X\">000</color>\n"
    "<clues type=\"columns\">\n"
    "<line><count>2</count></line>\n"
    "<line/>\n"
    "<line><count color=\"black\">1</count></line>\n"
    "</clues>\n"
    "<clues type=\"rows\">\n"
    "<line><count>1</count><count>1</count></line>\n"
    "<line><count>1</count></line>\n"
    "</clues>\n"
    "<solution type=\"goal\"><image>\n"
    "|X.X|\n"
    "|X..|\n"
    "</image></solution>\n"
    "</puzzle>\n"
    "</puzzleset>\n";

} // namespace

class TestPuzzleFormats : public QObject {
    Q_OBJECT

private slots:
    void nonReads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("title");

        QTest::newRow("plain") << "width 3\nheight 2\n\nrows\n1,1\n2\n\ncolumns\n2\n1\n1\n"
                               << "1,1;2" << "2;1;1" << "";
        QTest::newRow("CR LF, properties, spaces") << "title \"Two \"rows\"\"\r\nby \"Me\"\r\nwidth 3\r\nheight 2\r\n\r\nrows\r\n1 1\r\n2\r\n\r\ncolumns\r\n2\r\n1\r\n1\r\n"
                                                   << "1,1;2" << "2;1;1" << "Two \"rows\"";
        QTest::newRow("sizes implied by the blocks") << "rows\n1\n0\n\ncolumns\n1\n\n"
                                                     << "1;" << "1" << "";
        QTest::newRow("blank line is an empty line inside the count") << "width 2\nheight 3\nrows\n2\n\n1\ncolumns\n1,1\n2\n"
                                                                      << "2;;1" << "1,1;2" << "";
        QTest::newRow("byte order mark") << QString::fromUtf8("\xEF\xBB\xBFwidth 1\nheight 1\nrows\n1\ncolumns\n1\n")
                                         << "1" << "1" << "";
        QTest::newRow("blocks before sizes, unknown keywords") << "color red\nrows\n1\n\ncolumns\n1\nwidth 1\nheight 1\nlicense whatever\n"
                                                               << "1" << "1" << "";
    }

    void nonReads()
    {
        QFETCH(QString, text);
        QFETCH(QString, rows);
        QFETCH(QString, columns);
        QFETCH(QString, title);
        const Puzzle p = parseNonText(text.toStdString());
        QCOMPARE(cluesText(p.rows), rows);
        QCOMPARE(cluesText(p.columns), columns);
        QCOMPARE(QString::fromStdString(p.title), title);
    }

    void nonRefuses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");

        QTest::newRow("truncated rows block") << QByteArray("width 2\nheight 3\nrows\n1\n1\n") << "ends after 2 of 3";
        QTest::newRow("columns block too short") << QByteArray("width 2\nheight 1\nrows\n1\ncolumns\n1\nby \"x\"\n") << "1 lines where 2";
        QTest::newRow("negative number") << QByteArray("rows\n1,-2\ncolumns\n1\n") << "negative";
        QTest::newRow("huge number") << QByteArray("rows\n99999999999999999999\ncolumns\n1\n") << "exceeds";
        QTest::newRow("huge width") << QByteArray("width 5000\nheight 1\n") << "exceeds";
        QTest::newRow("negative height") << QByteArray("height -3\n") << "negative";
        QTest::newRow("missing rows") << QByteArray("width 1\nheight 1\ncolumns\n1\n") << "no rows block";
        QTest::newRow("missing columns") << QByteArray("rows\n1\n") << "no columns block";
        QTest::newRow("empty file") << QByteArray("") << "no rows block";
        QTest::newRow("binary garbage") << QByteArray("\x7f" "ELF\x02\x01\x01\x00\x00garbage", 17) << "binary";
        QTest::newRow("letters in a clue line") << QByteArray("rows\n1,a\ncolumns\n1\n") << "unexpected character";
        QTest::newRow("width disagrees with the block") << QByteArray("rows\n1\ncolumns\n1\nwidth 2\n") << "width is 2";
        QTest::newRow("numbers outside a block") << QByteArray("width 1\n1,2\n") << "outside";
        QTest::newRow("zero size") << QByteArray("width 0\nheight 0\nrows\ncolumns\n") << "no rows or no columns";
    }

    void nonRefuses()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        try {
            parseNonText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
            QFAIL("accepted a broken file");
        } catch (const PuzzleFormatError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
        }
    }

    // A run longer than its line is not a broken file: every format reads it as written, the
    // board holds it, and the solver answers that the clues have no solution.
    void runLongerThanItsLineHasNoSolution_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("columns");
        QTest::newRow(".non row") << "a.non" << QByteArray("rows\n3\ncolumns\n1\n") << "3" << "1";
        QTest::newRow(".non column") << "a.non" << QByteArray("width 2\nheight 1\nrows\n1\ncolumns\n2\n0\n") << "1" << "2;";
        QTest::newRow("webpbn XML") << "a.xml" << QByteArray(kSmallXml).replace("<count>2</count>", "<count>3</count>")
                                    << "1,1;1" << "3;;1";
        QTest::newRow(".zml column") << "a.zml" << QByteArray("1,2,2\r\n3\r\n1\r\n1\r\n2\r\n") << "1;2" << "3;1";
        QTest::newRow(".zml row of 20000") << "a.zml" << QByteArray("1,2,2\r\n2\r\n1\r\n20000\r\n2\r\n") << "20000;2" << "2;1";
    }
    void runLongerThanItsLineHasNoSolution()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, text);
        QFETCH(QString, rows);
        QFETCH(QString, columns);
        const std::string name = path.toStdString();
        const std::string_view content(text.constData(), static_cast<std::size_t>(text.size()));
        const Puzzle puzzle = puzzleFromPuzzleFile(name, content);
        QCOMPARE(cluesText(puzzle.rows), rows);
        QCOMPARE(cluesText(puzzle.columns), columns);
        const solver::SolveResult result = solver::solve(puzzle);
        QCOMPARE(result.verdict, solver::Verdict::NoSolution);
        QVERIFY(result.solutions.empty());
        // The board the load command makes gives the same clues back.
        const BoardModel board = boardFromPuzzleFile(name, content);
        QCOMPARE(cluesText(puzzleFromBoard(board).rows), rows);
        QCOMPARE(cluesText(puzzleFromBoard(board).columns), columns);
    }

    void xmlReads()
    {
        QVERIFY(looksLikeXml(kSmallXml));
        const Puzzle p = parseWebpbnXml(kSmallXml);
        QCOMPARE(cluesText(p.columns), QString("2;;1"));
        QCOMPARE(cluesText(p.rows), QString("1,1;1"));
        QCOMPARE(QString::fromStdString(p.title), QString("Fish & Chips AB"));
        QCOMPARE(QString::fromStdString(p.author), QString("A <B>"));
        QCOMPARE(QString::fromStdString(p.copyright), QString("&copy; 2024"));
        QCOMPARE(QString::fromStdString(p.catalogue), QString("webpbn.com #7"));
        QCOMPARE(QString::fromStdString(p.goal), QString("101100"));
        QVERIFY_THROWS_EXCEPTION(PuzzleFormatError, parseWebpbnXml("<set><puzzle/></set>"));
        QVERIFY_THROWS_EXCEPTION(PuzzleFormatError, parseWebpbnXml(""));
    }

    void xmlRefuses_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");

        QTest::newRow("a third colour") << "<color name=\"black\"" << "<color name=\"red\" char=\"r\">f00</color><color name=\"black\"" << "multicolour";
        QTest::newRow("a count in another colour") << "<count color=\"black\">1" << "<count color=\"red\">1" << "multicolour";
        QTest::newRow("negative count") << "<count>2</count>" << "<count>-2</count>" << "negative";
        QTest::newRow("huge count") << "<count>2</count>" << "<count>123456789012345</count>" << "exceeds";
        QTest::newRow("count not a number") << "<count>2</count>" << "<count>two</count>" << "not a whole number";
        QTest::newRow("mismatched tags") << "</title>" << "</titel>" << "closes";
        QTest::newRow("no rows") << "<clues type=\"rows\">" << "<clues type=\"rowz\">" << "unexpected <clues";
        QTest::newRow("truncated") << "</puzzleset>" << "" << "not closed";
        QTest::newRow("second root element") << "</puzzleset>" << "</puzzleset><puzzleset/>" << "after the root";
        QTest::newRow("wrong root") << "<puzzleset>" << "<set><puzzleset>" << "root element is <set>";
        QTest::newRow("bad character reference") << "&#66;" << "&#6z;" << "bad character reference";
        QTest::newRow("not a grid") << "type=\"grid\"" << "type=\"triddler\"" << "not a grid";
    }

    void xmlRefuses()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        QString text = QString::fromUtf8(kSmallXml);
        QVERIFY(text.contains(from));
        text.replace(text.indexOf(from), from.size(), to);
        try {
            parseWebpbnXml(text.toStdString());
            QFAIL("accepted a broken document");
        } catch (const PuzzleFormatError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
        }
    }

    // Cut-off and byte-flipped versions of good files are read or refused with
    // PuzzleFormatError, never anything else.
    void damagedFilesAreRefusedCleanly()
    {
        const std::string non = readFile(QStringLiteral(ZUMELI_SAMPLE_PUZZLES "/webpbn/webpbn-00016-knot.non"));
        const std::string xml = webpbnXmlText(parseNonText(non));
        std::mt19937 random(4242);
        int refused = 0;
        for (const std::string* good : {&non, &xml}) {
            for (int trial = 0; trial < 300; ++trial) {
                std::string text = *good;
                if (trial % 3 == 0) {
                    text.resize(random() % text.size());
                } else {
                    for (int flips = 1 + trial % 5; flips > 0; --flips)
                        text[random() % text.size()] = static_cast<char>(random() % 256);
                }
                try {
                    if (good == &xml)
                        parseWebpbnXml(text);
                    else
                        parseNonText(text);
                } catch (const PuzzleFormatError&) {
                    ++refused;
                }
            }
        }
        QVERIFY(refused > 100);
    }

    // Every sample file written back as .non and as XML reads back to the same puzzle.
    void writersRoundTrip_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& path : sharedPuzzleFiles())
            QTest::newRow(QFileInfo(path).fileName().toUtf8().constData()) << path;
    }

    void writersRoundTrip()
    {
        QFETCH(QString, path);
        const Puzzle original = parseNonText(readFile(path));
        comparePuzzles(parseNonText(nonText(original)), original);
        const std::string xml = webpbnXmlText(original);
        QVERIFY(looksLikeXml(xml));
        comparePuzzles(parseWebpbnXml(xml), original);
    }

    // Lines without runs are written as "0"; properties and the goal come back as written.
    void nonWriterOutput()
    {
        Puzzle p;
        p.title = "Say \"hi\"";
        p.author = "Me";
        p.rows = {{1}, {}};
        p.columns = {{}, {1}};
        p.goal = "0100";
        const std::string text = nonText(p);
        QVERIFY(text.find("rows\n1\n0\n") != std::string::npos);
        QVERIFY(text.find("columns\n0\n1\n") != std::string::npos);
        QVERIFY(text.find("width 2\nheight 2\n") != std::string::npos);
        const Puzzle back = parseNonText(text);
        QCOMPARE(QString::fromStdString(back.title), QString("Say 'hi'"));
        QCOMPARE(cluesText(back.rows), QString("1;"));
        QCOMPARE(QString::fromStdString(back.goal), QString("0100"));
    }

    // .zml -> board -> .non -> board -> .zml gives back the same bytes and the same clues.
    void zmlRoundTrip()
    {
        const Puzzle sample = parseNonText(readFile(QStringLiteral(ZUMELI_SAMPLE_PUZZLES "/webpbn/webpbn-00065-mum.non")));
        const std::string zml = puzzleText(boardFromPuzzle(sample));
        const BoardModel fromZml = parsePuzzleText(zml);
        const Puzzle viaNon = parseNonText(nonText(puzzleFromBoard(fromZml)));
        QCOMPARE(cluesText(viaNon.rows), cluesText(sample.rows));
        QCOMPARE(cluesText(viaNon.columns), cluesText(sample.columns));
        const BoardModel back = boardFromPuzzle(viaNon);
        QVERIFY(back == fromZml);
        QCOMPARE(puzzleText(back), zml);
    }

    void boardPacking()
    {
        Puzzle p;
        p.columns = {{1, 2}, {}, {3}};
        p.rows = {{1, 1}, {2}, {}};
        const BoardModel model = boardFromPuzzle(p);
        QCOMPARE(int(model.clueSize), 2);
        QCOMPARE(model.answerWidth(), 3);
        QCOMPARE(model.answerHeight(), 3);
        QCOMPARE(test::columnClueCells(model, 2), (std::vector<int>{1, 2}));
        QCOMPARE(test::columnClueCells(model, 3), (std::vector<int>{0, 0}));
        QCOMPARE(test::columnClueCells(model, 4), (std::vector<int>{0, 3}));
        QCOMPARE(test::rowClueCells(model, 2), (std::vector<int>{1, 1}));
        QCOMPARE(test::rowClueCells(model, 3), (std::vector<int>{0, 2}));
        QCOMPARE(test::rowClueCells(model, 4), (std::vector<int>{0, 0}));
        QCOMPARE(cluesText(puzzleFromBoard(model).columns), QString("1,2;;3"));
        QCOMPARE(cluesText(puzzleFromBoard(model).rows), QString("1,1;2;"));
    }

    void boardLimits_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("runsInFirstRow");
        QTest::addColumn<bool>("fits");
        QTest::newRow("80 x 80") << 80 << 80 << 20 << true;
        QTest::newRow("81 wide") << 81 << 10 << 1 << false;
        QTest::newRow("81 high") << 10 << 81 << 1 << false;
        QTest::newRow("21 clues") << 60 << 10 << 21 << false;
        QTest::newRow("no columns") << 0 << 5 << 0 << false;
    }

    void boardLimits()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, runsInFirstRow);
        QFETCH(bool, fits);
        Puzzle p;
        p.columns.assign(width, {});
        p.rows.assign(height, {});
        if (height > 0)
            p.rows[0].assign(runsInFirstRow, 1);
        if (fits) {
            const BoardModel model = boardFromPuzzle(p);
            QCOMPARE(model.answerWidth(), width);
            QCOMPARE(int(model.clueSize), std::max(1, runsInFirstRow));
        } else {
            QVERIFY_THROWS_EXCEPTION(BoardLimitError, boardFromPuzzle(p));
        }
    }

    // Only cells holding 1 are drawn; crosses and anything else are empty.
    void drawnPicture()
    {
        const BoardModel model = test::boardWithAnswer(2, {"#x.", ".#3"});
        QCOMPARE(pictureFromBoard(model).toAscii(), std::string("#..\n.#.\n"));
    }

    // Whatever a title, author, copyright or catalogue holds, the written document reads back
    // to the same puzzle, and saving what was read writes the same bytes again. Characters XML
    // cannot hold come back as U+FFFD; everything else comes back exactly.
    void xmlWriterKeepsAwkwardProperties_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("readBack");
        const QByteArray replacement("\xEF\xBF\xBD");
        QTest::newRow("quotes, ampersands, brackets") << QByteArray("Say \"hi\" & <bye> 'now' &amp;")
                                                      << QByteArray("Say \"hi\" & <bye> 'now' &amp;");
        QTest::newRow("end of a CDATA section") << QByteArray("a]]>b<![CDATA[c") << QByteArray("a]]>b<![CDATA[c");
        QTest::newRow("non-ASCII") << QByteArray("ズメリロジック！ über €") << QByteArray("ズメリロジック！ über €");
        QTest::newRow("line breaks and tabs inside") << QByteArray("a\nb\r\nc\td\re") << QByteArray("a\nb\r\nc\td\re");
        QTest::newRow("very long") << QByteArray("ab&<\"]]>").repeated(50000) << QByteArray("ab&<\"]]>").repeated(50000);
        QTest::newRow("NUL") << QByteArray("a\0b", 3) << "a" + replacement + "b";
        QTest::newRow("only a NUL") << QByteArray("\0", 1) << replacement;
        QTest::newRow("control characters") << QByteArray("a\x01\x1f\x7f b") << "a" + replacement + replacement + "\x7f b";
        QTest::newRow("not UTF-8") << QByteArray("caf\xE9 \xC3") << "caf" + replacement + " " + replacement;
        QTest::newRow("blanks at the ends") << QByteArray(" \t\r\nx y\n ") << QByteArray("x y");
        QTest::newRow("character reference text") << QByteArray("&#0; &#x41;") << QByteArray("&#0; &#x41;");
    }
    void xmlWriterKeepsAwkwardProperties()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, readBack);
        const std::string text = value.toStdString();
        Puzzle p;
        p.rows = {{1}, {}};
        p.columns = {{1}, {}};
        p.title = text;
        p.author = text;
        p.copyright = text;
        p.catalogue = text;
        const std::string written = webpbnXmlText(p);
        QVERIFY(written.find('\0') == std::string::npos);
        const Puzzle back = parseWebpbnXml(written);
        const QByteArray expected = readBack;
        QCOMPARE(QByteArray::fromStdString(back.title), expected);
        QCOMPARE(QByteArray::fromStdString(back.author), expected);
        QCOMPARE(QByteArray::fromStdString(back.copyright), expected);
        QCOMPARE(QByteArray::fromStdString(back.catalogue), expected);
        QCOMPARE(QByteArray::fromStdString(webpbnPropertyText(text)), expected);
        QCOMPARE(cluesText(back.rows), cluesText(p.rows));
        QCOMPARE(webpbnXmlText(back), written);
    }

    // pugixml parses; a DOCTYPE with an internal subset is skipped and its entities are not
    // expanded, CDATA is taken as written, comments and processing instructions are skipped.
    void xmlReadsDoctypeCdataCommentsAndReferences()
    {
        const std::string text =
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<!DOCTYPE puzzleset [ <!ENTITY who \"Nobody\"> <!ELEMENT puzzleset ANY> ]>\r\n"
            "<!-- before --><?tool run?>\r\n"
            "<puzzleset><puzzle>\r\n"
            "<title><![CDATA[<Fish> & &amp;]]> &#x263A;&#9731;</title>\r\n"
            "<author>&who; &apos;&quot;</author>\r\n"
            "<clues type=\"rows\"><!-- one --><line><count> 1 </count></line><?skip?></clues>\r\n"
            "<clues type=\"columns\"><line><count><![CDATA[1]]></count></line></clues>\r\n"
            "</puzzle><puzzle><clues type=\"rows\"/></puzzle></puzzleset><!-- after -->\r\n";
        const Puzzle p = parseWebpbnXml(text);
        QCOMPARE(QString::fromStdString(p.title), QString::fromUtf8("<Fish> & &amp; \xE2\x98\xBA\xE2\x98\x83"));
        QCOMPARE(QString::fromStdString(p.author), QString("&who; '\""));
        QCOMPARE(cluesText(p.rows), QString("1"));
        QCOMPARE(cluesText(p.columns), QString("1"));
    }

    void xmlRefusesBrokenDocuments_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QByteArray good = kSmallXml;
        auto replaced = [&](const char* from, const QByteArray& to) { return QByteArray(good).replace(from, to); };
        QTest::newRow("NUL inside CDATA") << replaced("Fish", QByteArray("<![CDATA[a\0b]]>", 16)) << "NUL";
        QTest::newRow("NUL in text") << replaced("Fish", QByteArray("a\0b", 3)) << "NUL";
        QTest::newRow("reference to NUL") << replaced("&#66;", "&#0;") << "to NUL";
        QTest::newRow("reference past Unicode") << replaced("&#66;", "&#x110000;") << "out of range";
        QTest::newRow("empty reference") << replaced("&#66;", "&#;") << "empty character reference";
        QTest::newRow("text after the root") << good + "trailing" << "after the root";
        QTest::newRow("DOCTYPE after the root") << good + "<!DOCTYPE x>" << "after the root";
        QTest::newRow("text before the root") << "text" + good << "no root element";
        QTest::newRow("no element at all") << QByteArray("<?xml version=\"1.0\"?><!-- x -->") << "no root element";
        QTest::newRow("unquoted attribute") << replaced("type=\"grid\"", "type=grid") << "attribute";
        QTest::newRow("second rows block") << replaced("<clues type=\"columns\">", "<clues type=\"rows\"></clues><clues type=\"columns\">")
                                           << "unexpected <clues type=\"rows\">";
        QTest::newRow("no puzzle") << QByteArray("<puzzleset><x/></puzzleset>") << "no <puzzle>";
        QTest::newRow("65 levels") << "<puzzleset>" + QByteArray("<a>").repeated(65) + QByteArray("</a>").repeated(65)
                + "</puzzleset>" << "nested too deeply";
        QTest::newRow("64 levels are read") << "<puzzleset>" + QByteArray("<a>").repeated(64) + QByteArray("</a>").repeated(64)
                + "</puzzleset>" << "no <puzzle>";
        QTest::newRow("a million levels") << "<puzzleset>" + QByteArray("<a>").repeated(1000000)
                + QByteArray("</a>").repeated(1000000) + "</puzzleset>" << "nested too deeply";
        QTest::newRow("element text past 4 MiB") << replaced("Fish", QByteArray("x").repeated(4 * 1024 * 1024 + 1))
                                                 << "longer than";
    }
    void xmlRefusesBrokenDocuments()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        try {
            parseWebpbnXml(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
            QFAIL("accepted a broken document");
        } catch (const PuzzleFormatError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
        }
    }
};

QTEST_APPLESS_MAIN(TestPuzzleFormats)
#include "test_puzzle_formats.moc"
