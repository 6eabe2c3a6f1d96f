// Runs a fuzz target without libFuzzer: once over every file (or every file in every
// folder) named on the command line, so that the suite replays the checked-in corpus
// with the ordinary compiler and under the sanitizers; or writes the target's seed
// corpus with --write-seeds FOLDER.

#include "fuzzinput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool replay(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           static_cast<size_t>(bytes.size()));
    return true;
}

int writeSeeds(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return 1;
    for (const FuzzSeed &seed : fuzzSeeds()) {
        QFile file(QDir(folder).filePath(QLatin1String(seed.name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(seed.bytes) != seed.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--write-seeds")
        return writeSeeds(QString::fromLocal8Bit(argv[2]));
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QStringList files{path};
        if (QFileInfo(path).isDir()) {
            files.clear();
            const QDir folder(path);
            for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
                files.append(folder.filePath(name));
        }
        for (const QString &file : files) {
            if (!replay(file))
                return 1;
            ++replayed;
        }
    }
    // An empty corpus would make a replay that checks nothing look like a pass.
    if (replayed == 0) {
        std::fprintf(stderr, "usage: %s FILE|FOLDER... (no input found) or --write-seeds FOLDER\n", argv[0]);
        return 1;
    }
    std::printf("%d inputs replayed\n", replayed);
    return 0;
}
