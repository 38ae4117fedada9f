// zumeli-make-collection: builds the picture-puzzle collection from a list of pictures, with
// the program's own picture import, make-unique repair and difficulty grade.
//
// Usage: zumeli-make-collection JOBS OUT-FOLDER
// JOBS has one line per picture, seven fields separated by tabs:
//   id  side  aim(lines|probing)  title  package  source-path  image-path
// Each picture that gives a puzzle becomes OUT-FOLDER/<id>.zml; then OUT-FOLDER/index.txt
// lists them (formats/collection_index.h). The same jobs and pictures give the same files.
#include "author/collection_maker.h"
#include "author/image_import.h"
#include "files/file_io.h"
#include "formats/board_clues.h"
#include "formats/collection_index.h"
#include "formats/puzzle_file.h"
#include "formats/text_scan.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace zumeli;

struct Job {
    std::string id;
    int side = 0;
    CollectionAim aim = CollectionAim::Lines;
    std::string title;
    std::string package;
    std::string sourcePath;
    std::string imagePath;
};

std::vector<Job> readJobs(const std::string& text)
{
    std::vector<Job> jobs;
    for (std::string_view line : textLines(text)) {
        if (trimWhiteSpace(line).empty() || line.front() == '#')
            continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
            fields.emplace_back(line.substr(start, tab - start));
        fields.emplace_back(line.substr(start));
        if (fields.size() != 7)
            throw std::runtime_error("a job line needs 7 fields: " + std::string(line));
        jobs.push_back({fields[0], std::stoi(fields[1]),
                        fields[2] == "probing" ? CollectionAim::Probing : CollectionAim::Lines,
                        fields[3], fields[4], fields[5], fields[6]});
    }
    return jobs;
}

// Makes one job's puzzle file; the index entry for it, or nothing when the picture gives none.
std::optional<CollectionEntry> makeJob(const Job& job, const QString& outFolder)
{
    const auto start = std::chrono::steady_clock::now();
    const QImage image = readSourceImage(QString::fromStdString(job.imagePath));
    const std::optional<CollectionPicture> made = makeCollectionPicture(image, job.side, job.aim);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!made) {
        std::printf("%-40s skipped (%.0f ms)\n", job.id.c_str(), ms);
        return std::nullopt;
    }
    CollectionEntry entry{job.id + ".zml", collectionLevel(made->grade, job.side, job.side), job.side,
                          job.side, made->grade, job.title, job.package + ":" + job.sourcePath};
    const std::string text = puzzleText(boardFromPuzzle(solver::puzzleFromPicture(made->picture)));
    writeFileAtomically(outFolder + "/" + QString::fromStdString(entry.file), text);
    std::printf("%-40s level %d grade %d, %d cells changed (%.0f ms)\n", job.id.c_str(), entry.level,
                entry.grade, made->changedCells, ms);
    return entry;
}

} // namespace

int main(int argc, char** argv)
{
    // No window is shown: the offscreen platform lets the tool run without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zumeli-make-collection JOBS OUT-FOLDER\n");
        return 2;
    }
    try {
        const QString outFolder = QString::fromLocal8Bit(argv[2]);
        std::vector<CollectionEntry> entries;
        for (const Job& job : readJobs(readWholeFile(QString::fromLocal8Bit(argv[1]), kMaxTextFileBytes)))
            if (std::optional<CollectionEntry> entry = makeJob(job, outFolder))
                entries.push_back(std::move(*entry));
        writeFileAtomically(outFolder + "/index.txt", collectionIndexText(entries));
        std::printf("zumeli-make-collection: %zu puzzles\n", entries.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zumeli-make-collection: %s\n", e.what());
        return 1;
    }
    return 0;
}
