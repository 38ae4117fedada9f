// The command-line tool's own parts: JSON strings that any parser reads back, and the thread
// pool that hands results back in job order however the jobs finish.
#include "cli/json_text.h"
#include "cli/ordered_pool.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using zumeli::cli::jsonString;
using zumeli::cli::runInOrder;

Q_DECLARE_METATYPE(std::string)

class TestCliSupport : public QObject {
    Q_OBJECT

private slots:
    void jsonStringEscapes_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<std::string>("json");
        QTest::newRow("plain") << std::string("dir/a.non") << std::string("\"dir/a.non\"");
        QTest::newRow("empty") << std::string() << std::string("\"\"");
        QTest::newRow("quote and backslash")
            << std::string("a\"b\\c") << std::string("\"a\\\"b\\\\c\"");
        QTest::newRow("named controls")
            << std::string("\b\f\n\r\t") << std::string("\"\\b\\f\\n\\r\\t\"");
        QTest::newRow("other controls, NUL included")
            << std::string("a\x01\x1f", 3) + std::string(1, '\0') + "\x7f"
            << std::string("\"a\\u0001\\u001f\\u0000\x7f\"");
        QTest::newRow("slash stays") << std::string("/") << std::string("\"/\"");
        // Valid UTF-8 passes as it is: 2, 3 and 4 byte sequences.
        QTest::newRow("non-ASCII") << std::string("é/ズメリ/𝄞.non")
                                   << std::string("\"é/ズメリ/𝄞.non\"");
        // File names are bytes: anything not valid UTF-8 becomes U+FFFD, one per byte.
        QTest::newRow("stray byte") << std::string("a\xff" "b") << std::string("\"a\uFFFDb\"");
        QTest::newRow("lone continuation") << std::string("\x80") << std::string("\"\uFFFD\"");
        QTest::newRow("truncated at the end") << std::string("x\xe3\x82")
                                              << std::string("\"x\uFFFD\uFFFD\"");
        QTest::newRow("overlong slash") << std::string("\xc0\xaf") << std::string("\"\uFFFD\uFFFD\"");
        QTest::newRow("overlong 3 bytes") << std::string("\xe0\x80\xaf")
                                          << std::string("\"\uFFFD\uFFFD\uFFFD\"");
        QTest::newRow("surrogate") << std::string("\xed\xa0\x80")
                                   << std::string("\"\uFFFD\uFFFD\uFFFD\"");
        QTest::newRow("above U+10FFFF") << std::string("\xf4\x90\x80\x80")
                                        << std::string("\"\uFFFD\uFFFD\uFFFD\uFFFD\"");
        QTest::newRow("valid after invalid") << std::string("\xe3\xe3\x82\xba")
                                             << std::string("\"\uFFFDズ\"");
    }

    void jsonStringEscapes()
    {
        QFETCH(std::string, text);
        QFETCH(std::string, json);
        QCOMPARE(jsonString(text), json);
    }

    // Whatever the bytes, Qt's JSON parser reads the string back without an error, and gets
    // the original text wherever that was valid UTF-8.
    void jsonStringParsesBack()
    {
        std::string every;
        for (int c = 0; c < 256; ++c)
            every += static_cast<char>(c);
        const std::vector<std::string> texts = {"ズメリ \"x\"\n\t\\", every, "a\xff\xfe"};
        for (const std::string& text : texts) {
            const std::string document = "[" + jsonString(text) + "]";
            QJsonParseError error;
            const QJsonDocument parsed = QJsonDocument::fromJson(QByteArray::fromStdString(document), &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
            const QString back = parsed.array().at(0).toString();
            if (QString::fromUtf8(text).toUtf8().toStdString() == text)
                QCOMPARE(back.toStdString(), text);
            else
                QVERIFY(back.contains(QChar(0xFFFD)));
        }
    }

    // Job 0 finishes last, after every job the window lets run beside it: the results still
    // come out in job order, on the calling thread, and no job starts further ahead of the
    // last result handed out than the window.
    void resultsComeInJobOrder()
    {
        constexpr std::size_t count = 200;
        constexpr unsigned threads = 3;
        constexpr std::size_t window = 16 * threads;
        std::mutex mutex;
        std::condition_variable finished;
        std::size_t done = 0;
        std::atomic<std::size_t> deliveredCount{0};
        std::atomic<bool> beyondWindow{false};
        std::vector<std::size_t> order;
        const std::thread::id caller = std::this_thread::get_id();
        bool otherThread = true;

        runInOrder<std::size_t>(
            count, threads,
            [&](std::size_t i) {
                // The pool counts a result as handed out just before deliver() sees it.
                if (i >= deliveredCount.load() + 1 + window)
                    beyondWindow = true;
                std::unique_lock lock(mutex);
                if (i == 0)
                    finished.wait(lock, [&] { return done == window - 1; });
                ++done;
                finished.notify_all();
                return i * 10;
            },
            [&](std::size_t i, std::size_t result) {
                otherThread = otherThread && std::this_thread::get_id() == caller;
                QCOMPARE(result, i * 10);
                order.push_back(i);
                deliveredCount = i + 1;
            });

        QVERIFY(otherThread);
        QVERIFY(!beyondWindow);
        QCOMPARE(order.size(), count);
        for (std::size_t i = 0; i < count; ++i)
            QCOMPARE(order[i], i);
    }

    // One thread, or a single job: everything on the calling thread, in order.
    void oneThreadRunsOnTheCaller()
    {
        for (const unsigned threads : {0u, 1u, 4u}) {
            const std::size_t count = threads == 4 ? 1 : 5;
            std::vector<std::size_t> order;
            const std::thread::id caller = std::this_thread::get_id();
            bool onCaller = true;
            runInOrder<int>(
                count, threads,
                [&](std::size_t) {
                    onCaller = onCaller && std::this_thread::get_id() == caller;
                    return 0;
                },
                [&](std::size_t i, int) { order.push_back(i); });
            QVERIFY(onCaller);
            QCOMPARE(order.size(), count);
            for (std::size_t i = 0; i < count; ++i)
                QCOMPARE(order[i], i);
        }
        bool called = false;
        runInOrder<int>(0, 2, [&](std::size_t) { called = true; return 0; },
                        [&](std::size_t, int) { called = true; });
        QVERIFY(!called);
    }

    // A job that throws: the results before it are handed out, then the exception comes out
    // of the pool with every worker stopped.
    void aThrowingJobStopsThePool()
    {
        for (const unsigned threads : {1u, 2u, 4u}) {
            std::vector<std::size_t> order;
            try {
                runInOrder<std::size_t>(
                    50, threads,
                    [](std::size_t i) {
                        if (i == 7)
                            throw std::runtime_error("job 7");
                        return i;
                    },
                    [&](std::size_t i, std::size_t) { order.push_back(i); });
                QFAIL("no exception");
            } catch (const std::runtime_error& e) {
                QCOMPARE(std::string(e.what()), std::string("job 7"));
            }
            QCOMPARE(order.size(), std::size_t(7));
            for (std::size_t i = 0; i < order.size(); ++i)
                QCOMPARE(order[i], i);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliSupport)
#include "test_cli_support.moc"
