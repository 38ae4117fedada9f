// The exact line solver against enumeration of every arrangement, the reference line logic and
// a few hand-checked lines.
#include "solve/engine/line_solver.h"
#include "solve/engine/line_state.h"
#include "solve/engine/run_placement.h"
#include "support/reference_solver.h"

#include <QTest>

#include <random>
#include <stdexcept>

using namespace zumeli::solver;
using zumeli::test::referenceSolveLine;

namespace {

// The engine's line solver over a line of cells, through its masks. Checks on the way that
// the feasibility tests agree with it.
bool engineSolveLine(const std::vector<int>& runs, std::vector<Cell>& line)
{
    const int n = static_cast<int>(line.size());
    const std::size_t words = static_cast<std::size_t>(wordsForLength(n)) + 1;
    std::vector<Word> filled(words, 0);
    std::vector<Word> empty(words, 0);
    for (int i = 0; i < n; ++i) {
        if (line[i] == Cell::Filled)
            filled[i / 64] |= Word(1) << (i % 64);
        else if (line[i] == Cell::Empty)
            empty[i / 64] |= Word(1) << (i % 64);
    }
    std::vector<Word> outFilled(words, 0);
    std::vector<Word> outEmpty(words, 0);
    const int k = static_cast<int>(runs.size());
    const bool ok = solveLine(runs.data(), k, n, filled.data(), empty.data(), outFilled.data(), outEmpty.data());
    if (lineFeasible(runs.data(), k, n, filled.data(), empty.data()) != ok)
        qFatal("lineFeasible disagrees with solveLine");
    long need = k > 0 ? k - 1 : 0;
    for (const int r : runs)
        need += r;
    if (n >= 1 && n <= 63 && need <= n && shortLineFeasible(runs.data(), k, n, filled[0], empty[0]) != ok)
        qFatal("shortLineFeasible disagrees with solveLine");
    if (!ok)
        return false;
    for (int i = 0; i < n; ++i) {
        const Word bit = Word(1) << (i % 64);
        if (outFilled[i / 64] & bit)
            line[i] = Cell::Filled;
        else if (outEmpty[i / 64] & bit)
            line[i] = Cell::Empty;
    }
    return true;
}

// Solves with the engine (`reference` false) or the reference line logic.
bool solveWith(bool reference, const std::vector<int>& runs, std::vector<Cell>& line)
{
    return reference ? referenceSolveLine(runs, line) : engineSolveLine(runs, line);
}

std::vector<Cell> lineFromText(const QString& text)
{
    std::vector<Cell> line;
    for (const QChar c : text)
        line.push_back(c == '#' ? Cell::Filled : c == '.' ? Cell::Empty : Cell::Unknown);
    return line;
}

QString lineText(const std::vector<Cell>& line)
{
    QString text;
    for (const Cell c : line)
        text += c == Cell::Filled ? '#' : c == Cell::Empty ? '.' : '?';
    return text;
}

std::vector<int> runsFromText(const QString& text)
{
    std::vector<int> runs;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts))
        runs.push_back(part.toInt());
    return runs;
}

// What every arrangement agreeing with `line` has in common, by trying all 2^n fillings;
// false when none agrees.
bool enumerate(const std::vector<int>& runs, const std::vector<Cell>& line, std::vector<Cell>& out)
{
    const int n = static_cast<int>(line.size());
    std::vector<bool> canFill(n, false);
    std::vector<bool> canEmpty(n, false);
    bool any = false;
    std::vector<Cell> trial(n);
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
        bool agrees = true;
        for (int i = 0; i < n && agrees; ++i) {
            trial[i] = (mask >> i) & 1 ? Cell::Filled : Cell::Empty;
            agrees = line[i] == Cell::Unknown || line[i] == trial[i];
        }
        if (!agrees || runsOfLine(trial) != runs)
            continue;
        any = true;
        for (int i = 0; i < n; ++i)
            (trial[i] == Cell::Filled ? canFill : canEmpty)[i] = true;
    }
    out = line;
    for (int i = 0; i < n; ++i)
        out[i] = canFill[i] && canEmpty[i] ? Cell::Unknown : canFill[i] ? Cell::Filled : Cell::Empty;
    return any;
}

// The starts of the runs of filled cells in `cells`.
std::vector<int> runStarts(const std::vector<Cell>& cells)
{
    std::vector<int> starts;
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (cells[i] == Cell::Filled && (i == 0 || cells[i - 1] != Cell::Filled))
            starts.push_back(static_cast<int>(i));
    return starts;
}

} // namespace

class TestLineSolver : public QObject {
    Q_OBJECT

private slots:
    void handChecked_data()
    {
        QTest::addColumn<QString>("runs");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // "!" for a contradiction

        QTest::newRow("overlap of a long run") << "7" << "??????????" << "???####???";
        QTest::newRow("exact fit") << "3,1,2" << "????????" << "###.#.##";
        QTest::newRow("no runs empties the line") << "" << "?????" << ".....";
        QTest::newRow("no runs but a filled cell") << "" << "??#??" << "!";
        QTest::newRow("filled cell anchors the run") << "3" << "#?????" << "###...";
        QTest::newRow("empty cell splits the room") << "3" << "??.????" << "...?##?";
        QTest::newRow("runs longer than the line") << "4,4" << "????????" << "!";
        QTest::newRow("too many filled cells") << "1,1" << "#.#.#" << "!";
        QTest::newRow("complete and right") << "2,1" << "##..#" << "##..#";
        QTest::newRow("complete and wrong") << "2,1" << "#..##" << "!";
        QTest::newRow("empty line") << "" << "" << "";
        QTest::newRow("gap cells between fixed runs") << "2,2" << "?#??#?" << "?#??#?";
        QTest::newRow("second run pinned by the edge") << "1,3" << "?????#" << "??.###";
    }

    void handChecked()
    {
        QFETCH(QString, runs);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        for (const bool reference : {false, true}) {
            std::vector<Cell> cells = lineFromText(line);
            const bool ok = solveWith(reference, runsFromText(runs), cells);
            if (expected == "!") {
                QVERIFY2(!ok, reference ? "reference" : "engine");
            } else {
                QVERIFY2(ok, reference ? "reference" : "engine");
                QCOMPARE(lineText(cells), expected);
            }
        }
    }

    // Every line of length 0..12 with random clues and random known cells (some of them
    // wrong, so contradictions come up too), the engine and the reference against enumeration.
    void againstEnumeration()
    {
        std::mt19937 random(12345);
        int contradictions = 0;
        int cases = 0;
        for (int n = 0; n <= 12; ++n) {
            for (int iteration = 0; iteration < 1500; ++iteration) {
                std::vector<Cell> picture(n);
                for (Cell& c : picture)
                    c = random() % 2 ? Cell::Filled : Cell::Empty;
                std::vector<int> runs = runsOfLine(picture);
                if (!runs.empty() && random() % 5 == 0)
                    runs[random() % runs.size()] += 1 + static_cast<int>(random() % 2);
                std::vector<Cell> line(n);
                for (Cell& c : line) {
                    const unsigned r = random() % 6;
                    c = r == 0 ? Cell::Filled : r == 1 ? Cell::Empty : Cell::Unknown;
                }
                std::vector<Cell> expected;
                const bool possible = enumerate(runs, line, expected);
                contradictions += possible ? 0 : 1;
                ++cases;
                for (const bool reference : {false, true}) {
                    std::vector<Cell> cells = line;
                    const bool ok = solveWith(reference, runs, cells);
                    const QByteArray where = QStringLiteral("%1, runs %2, line %3")
                                                 .arg(reference ? "reference" : "engine")
                                                 .arg(QString::fromStdString([&] {
                                                     std::string s;
                                                     for (int r : runs)
                                                         s += std::to_string(r) + ",";
                                                     return s;
                                                 }()))
                                                 .arg(lineText(line))
                                                 .toUtf8();
                    QVERIFY2(ok == possible, where.constData());
                    if (ok)
                        QVERIFY2(cells == expected, where.constData());
                }
            }
        }
        // The random lines must exercise both outcomes.
        QVERIFY(contradictions > cases / 10);
        QVERIFY(contradictions < cases - cases / 10);
    }

    // The run-placement table that the table solver, the search's branching odds and
    // make-unique share, against all 2^n fillings of random lines of up to 12 cells: the
    // count of arrangements both ways (ahead to the end, behind from the start), and per run
    // and start how many arrangements put the run there, counted and as a yes or no.
    void placementTableCountsEveryArrangement()
    {
        std::mt19937 random(777);
        for (int iteration = 0; iteration < 3000; ++iteration) {
            const int n = static_cast<int>(random() % 13);
            std::vector<Cell> picture(static_cast<std::size_t>(n));
            for (Cell& c : picture)
                c = random() % 2 ? Cell::Filled : Cell::Empty;
            const std::vector<int> runs = runsOfLine(picture);
            std::vector<Cell> line(static_cast<std::size_t>(n));
            for (Cell& c : line) {
                const unsigned r = random() % 5;
                c = r == 0 ? Cell::Filled : r == 1 ? Cell::Empty : Cell::Unknown;
            }
            const int k = static_cast<int>(runs.size());
            double arrangements = 0;
            std::vector<double> placed(static_cast<std::size_t>(k * (n + 1)), 0);
            std::vector<Cell> trial(static_cast<std::size_t>(n));
            for (unsigned mask = 0; mask < (1u << n); ++mask) {
                bool agrees = true;
                for (int i = 0; i < n && agrees; ++i) {
                    trial[i] = (mask >> i) & 1 ? Cell::Filled : Cell::Empty;
                    agrees = line[i] == Cell::Unknown || line[i] == trial[i];
                }
                if (!agrees || runsOfLine(trial) != runs)
                    continue;
                arrangements += 1;
                const std::vector<int> starts = runStarts(trial);
                for (int j = 0; j < k; ++j)
                    placed[static_cast<std::size_t>(j * (n + 1) + starts[j])] += 1;
            }
            RunPlacement<double> ways(runs, line);
            ways.fillAhead();
            ways.fillBehind();
            RunPlacement<std::uint8_t> whether(runs, line);
            whether.fillAhead();
            whether.fillBehind();
            const QByteArray where = (lineText(line) + " runs " + QString::number(k)).toUtf8();
            QVERIFY2(ways.ahead(k, n) == arrangements, where.constData());
            QVERIFY2(ways.behind(0, 0) == arrangements, where.constData());
            QVERIFY2((whether.ahead(k, n) != 0) == (arrangements > 0), where.constData());
            for (int j = 0; j < k; ++j) {
                for (int s = 0; s + runs[j] <= n; ++s) {
                    const double expected = placed[static_cast<std::size_t>(j * (n + 1) + s)];
                    QVERIFY2(ways.placementWays(j, s) == expected, where.constData());
                    QVERIFY2((whether.placementWays(j, s) != 0) == (expected > 0), where.constData());
                }
            }
        }
    }

    // Lines of 50 to 1100 cells cross every width of the bit form (one, two, three, four,
    // eight, nine and sixteen words: a line of n cells has n + 1 boundary positions) and the
    // cell-by-cell table beyond; the known cells are scattered, or pile up at the ends so that
    // the known stretches are set aside (with a wrong cell now and then, in them too). All
    // must agree with the reference.
    void longLinesAgree_data()
    {
        QTest::addColumn<int>("knownCells"); // 0 scattered, 1 mostly at the ends, 2 nearly all
        QTest::newRow("scattered known cells") << 0;
        QTest::newRow("known ends") << 1;
        QTest::newRow("nearly complete") << 2;
    }

    void longLinesAgree()
    {
        QFETCH(int, knownCells);
        std::mt19937 random(777 + knownCells);
        int contradictions = 0;
        int cases = 0;
        for (const int n : {50, 63, 64, 65, 100, 127, 128, 129, 191, 192, 200, 255, 256, 300, 511, 512, 513,
                            575, 576, 700, 1023, 1024, 1100}) {
            for (int iteration = 0; iteration < (n < 300 ? 300 : 30); ++iteration) {
                std::vector<Cell> picture(n);
                const unsigned density = 2 + random() % 6;
                for (Cell& c : picture)
                    c = random() % density ? Cell::Filled : Cell::Empty;
                const std::vector<int> runs = runsOfLine(picture);
                std::vector<Cell> line(n, Cell::Unknown);
                const unsigned known = 2 + random() % 15;
                const int openFrom = static_cast<int>(random() % (n + 1));
                const int openTo = openFrom + static_cast<int>(random() % (n - openFrom + 1));
                // Scattered known cells are wrong one time in eight; the long known stretches
                // of the other kinds only now and then, or nearly every line would contradict.
                const unsigned wrong = knownCells == 0 ? 8 : random() % 3 == 0 ? 60 : 0;
                for (int i = 0; i < n; ++i) {
                    const bool isKnown = knownCells == 0 ? random() % known == 0
                        : knownCells == 1                ? (i < openFrom || i >= openTo || random() % known == 0)
                                                         : random() % 40 != 0;
                    if (isKnown)
                        line[i] = wrong != 0 && random() % wrong == 0
                            ? (picture[i] == Cell::Filled ? Cell::Empty : Cell::Filled)
                            : picture[i];
                }
                std::vector<Cell> engine = line;
                std::vector<Cell> reference = line;
                const bool okEngine = engineSolveLine(runs, engine);
                const bool okReference = referenceSolveLine(runs, reference);
                QCOMPARE(okEngine, okReference);
                if (okEngine)
                    QCOMPARE(lineText(engine), lineText(reference));
                contradictions += okReference ? 0 : 1;
                ++cases;
            }
        }
        // The random lines must exercise both outcomes.
        QVERIFY(contradictions > 0);
        QVERIFY(contradictions < cases);
    }

    // The table of recent line results answers exactly as the solver does: the same line in
    // the same state under another clue is another entry, a table of two entries is overwritten
    // all the time, and lines wider than the table's words go to the solver. Each answer is
    // counted as a line solve, from the table or not.
    void lineCacheAnswersAsTheSolverDoes_data()
    {
        QTest::addColumn<int>("entries");
        QTest::newRow("two entries") << 2;
        QTest::newRow("roomy") << 4096;
    }

    void lineCacheAnswersAsTheSolverDoes()
    {
        QFETCH(int, entries);
        {
            // Five open cells: the clue 3 decides the middle one, the clue 1 1 decides none.
            LineSolveCache<2> small(static_cast<std::size_t>(entries));
            LineState three({{3}}, {{1}, {1}, {1}, {1}, {1}});
            LineState ones({{1, 1}}, {{1}, {1}, {1}, {1}, {1}});
            QVERIFY(small.solve(three, 0, 0));
            QCOMPARE(three.solvedFilled()[0], Word(0b00100));
            QVERIFY(small.solve(ones, 0, 1));
            QCOMPARE(ones.solvedFilled()[0], Word(0));
            QVERIFY(small.solve(three, 0, 0));
            QCOMPARE(three.solvedFilled()[0], Word(0b00100));
            // A row of 100 cells known alike in its first word and not in its second.
            LineSolveCache<2> one(1);
            const std::vector<std::vector<int>> columns(100, std::vector<int>{});
            LineState known({{1}}, columns);
            LineState open({{1}}, columns);
            known.set(80, true);
            QVERIFY(one.solve(known, 0));
            QCOMPARE(known.solvedEmpty()[0], ~Word(0));
            QVERIFY(one.solve(open, 0));
            QCOMPARE(open.solvedEmpty()[0], Word(0));
            QCOMPARE(open.solvedFilled()[1], Word(0));
        }
        std::mt19937 random(4242);
        LineSolveCache<2> cache(static_cast<std::size_t>(entries));
        // Rows of 100 cells (two words), columns of 150 (three words: past the table).
        const int width = 100;
        const int height = 150;
        // Row clues from a picture and from the same picture with a cell flipped in each row,
        // so that one state of a row is often possible under both clues with different answers.
        std::vector<Cell> picture(static_cast<std::size_t>(width * height));
        for (Cell& c : picture)
            c = random() % 3 == 0 ? Cell::Filled : Cell::Empty;
        std::vector<std::vector<std::vector<int>>> rowClues(2, std::vector<std::vector<int>>(height));
        for (int y = 0; y < height; ++y) {
            rowClues[0][y] = runsOfCells(picture, y * width, width, 1);
            std::vector<Cell> changed(picture.begin() + y * width, picture.begin() + (y + 1) * width);
            Cell& c = changed[random() % width];
            c = c == Cell::Filled ? Cell::Empty : Cell::Filled;
            rowClues[1][y] = runsOfLine(changed);
        }
        std::vector<std::vector<int>> columns(width);
        for (int x = 0; x < width; ++x)
            columns[x] = runsOfCells(picture, x, height, width);
        for (int round = 0; round < 200; ++round) {
            const int which = static_cast<int>(random() % 2);
            LineState state(rowClues[which], columns);
            LineState direct(rowClues[which], columns);
            // A few states only, so that they come again.
            std::mt19937 cells(static_cast<unsigned>(round % 7));
            for (int v = 0; v < width * height; ++v) {
                if (cells() % 4 == 0) {
                    state.set(v, picture[v] == Cell::Filled);
                    direct.set(v, picture[v] == Cell::Filled);
                }
            }
            for (int line = 0; line < state.lineCount(); line += 1 + static_cast<int>(random() % 4)) {
                const std::uint64_t before = state.lineSolves();
                const bool cached = cache.solve(state, line, static_cast<std::uint64_t>(which));
                const bool solved = direct.solve(line);
                QCOMPARE(state.lineSolves(), before + 1);
                QCOMPARE(cached, solved);
                if (!solved)
                    continue;
                for (int w = 0; w < wordsForLength(state.length(line)); ++w) {
                    QCOMPARE(state.solvedFilled()[w], direct.solvedFilled()[w]);
                    QCOMPARE(state.solvedEmpty()[w], direct.solvedEmpty()[w]);
                }
            }
        }
    }

    // The search's table of short-line results answers exactly as the solver does, for
    // contradictions too: with two entries a line (overwritten all the time) and with many;
    // lines not marked for it and lines of more than 63 cells go to the solver. A fresh table
    // holds nothing, not even the line with no cell known. Each answer counts as a line solve.
    void shortLineCacheAnswersAsTheSolverDoes_data()
    {
        QTest::addColumn<int>("perLine");
        QTest::newRow("two a line") << 2;
        QTest::newRow("roomy") << 256;
    }

    void shortLineCacheAnswersAsTheSolverDoes()
    {
        QFETCH(int, perLine);
        std::mt19937 random(777);
        // Rows of 63 cells (the longest short line), columns of 70 (past the table).
        const int width = 63;
        const int height = 70;
        std::vector<Cell> picture(static_cast<std::size_t>(width * height));
        for (Cell& c : picture)
            c = random() % 3 == 0 ? Cell::Filled : Cell::Empty;
        std::fill(picture.begin(), picture.begin() + width, Cell::Filled);
        std::vector<std::vector<int>> rows(height);
        for (int y = 0; y < height; ++y)
            rows[y] = runsOfCells(picture, y * width, width, 1);
        std::vector<std::vector<int>> columns(width);
        for (int x = 0; x < width; ++x)
            columns[x] = runsOfCells(picture, x, height, width);
        std::vector<std::uint8_t> cached(static_cast<std::size_t>(width + height), 1);
        cached[5] = 0;
        {
            // Row 0, full, with nothing known: the solver decides every cell.
            LineState open(rows, columns);
            LineState direct(rows, columns);
            ShortLineCache fresh(open, cached, static_cast<std::size_t>(perLine));
            QCOMPARE(fresh.solve(open, 0), direct.solve(0));
            QCOMPARE(open.solvedFilled()[0], direct.solvedFilled()[0]);
            QCOMPARE(open.solvedEmpty()[0], direct.solvedEmpty()[0]);
        }
        LineState layout(rows, columns);
        ShortLineCache cache(layout, cached, static_cast<std::size_t>(perLine));
        int contradictions = 0;
        int answers = 0;
        for (int round = 0; round < 300; ++round) {
            LineState state(rows, columns);
            LineState direct(rows, columns);
            // A few states only, so that they come again; some with a cell against the picture.
            std::mt19937 cells(static_cast<unsigned>(round % 11));
            for (int v = 0; v < width * height; ++v) {
                const unsigned draw = cells() % 64;
                if (draw < 16) {
                    const bool filled = (picture[v] == Cell::Filled) != (draw == 0);
                    state.set(v, filled);
                    direct.set(v, filled);
                }
            }
            for (int line = 0; line < state.lineCount(); line += 1 + static_cast<int>(random() % 3)) {
                const std::uint64_t before = state.lineSolves();
                const bool answer = cache.solve(state, line);
                const bool solved = direct.solve(line);
                QCOMPARE(state.lineSolves(), before + 1);
                QCOMPARE(answer, solved);
                ++answers;
                if (!solved) {
                    ++contradictions;
                    continue;
                }
                for (int w = 0; w < wordsForLength(state.length(line)); ++w) {
                    QCOMPARE(state.solvedFilled()[w], direct.solvedFilled()[w]);
                    QCOMPARE(state.solvedEmpty()[w], direct.solvedEmpty()[w]);
                }
            }
        }
        // The states must exercise both outcomes.
        QVERIFY(contradictions > 0);
        QVERIFY(contradictions < answers);
    }

    // The mask interface: outputs keep the known cells and never set bits past the end.
    void masksStayInsideTheLine()
    {
        const int runs[] = {2, 3};
        for (const int n : {7, 63, 64, 65, 127, 128, 200}) {
            std::vector<Word> filled(wordsForLength(n), 0);
            std::vector<Word> empty(wordsForLength(n), 0);
            filled[0] = 0b10; // cell 1 filled
            std::vector<Word> outFilled(wordsForLength(n), ~Word(0));
            std::vector<Word> outEmpty(wordsForLength(n), ~Word(0));
            QVERIFY(solveLine(runs, 2, n, filled.data(), empty.data(), outFilled.data(), outEmpty.data()));
            QVERIFY(outFilled[0] & 0b10);
            const int lastBits = n % 64;
            if (lastBits != 0) {
                const Word outside = ~((Word(1) << lastBits) - 1);
                QCOMPARE(outFilled.back() & outside, Word(0));
                QCOMPARE(outEmpty.back() & outside, Word(0));
            }
        }
    }

    // Each cell's row and column are kept in 16 bits: the widest grid they hold finds its
    // last cell's lines, and a wider one is refused rather than numbered wrongly.
    void cellLinesHoldTheWidestGrid()
    {
        const std::vector<std::vector<int>> oneRow{{1}};
        const LineState widest(oneRow, std::vector<std::vector<int>>(65535));
        QCOMPARE(widest.rowLine(65534), 0);
        QCOMPARE(widest.columnLine(65534), 1 + 65534);
        QCOMPARE(widest.positionIn(0, 65534), 65534);
        const LineState tallest(std::vector<std::vector<int>>(65535), oneRow);
        QCOMPARE(tallest.rowLine(65534), 65534);
        QCOMPARE(tallest.positionIn(65535, 65534), 65534);
        QVERIFY_THROWS_EXCEPTION(std::length_error, LineState(oneRow, std::vector<std::vector<int>>(65536)));
        QVERIFY_THROWS_EXCEPTION(std::length_error, LineState(std::vector<std::vector<int>>(65536), oneRow));
    }
};

QTEST_APPLESS_MAIN(TestLineSolver)
#include "test_line_solver.moc"
