#include "core/Codecs.h"
#include "support/CoreTestImage.h"
#include "core/Codeplug.h"
#include "core/ChannelFile.h"
#include "support/ImageBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
QByteArray lineOf(std::initializer_list<int> values)
{
    QByteArray line;
    for (int v : values)
        line += ' ' + QByteArray::number(v) + ' ';
    return line + "\r\n";
}
} // namespace

class TestChannelFile : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        startWithDefaultImage();
    }
    void freshImageFormat();
    void roundTripThroughDisk();
    void separatorsOtherThanTheProgramWrites_data();
    void separatorsOtherThanTheProgramWrites();
    void malformedFileLeavesImageUntouched_data();
    void malformedFileLeavesImageUntouched();
    void failedSaveKeepsTheOldFile();
    void specialFilesAreRefusedUnread_data();
    void specialFilesAreRefusedUnread();
    void sizeLimit_data();
    void sizeLimit();
};

void TestChannelFile::freshImageFormat()
{
    const QByteArray text = formatChannelFile(Document());
    const QList<QByteArray> lines = text.split('\n');
    QCOMPARE(lines.size(), 257); // 256 lines, each ending in CR LF
    QVERIFY(lines.last().isEmpty());
    const QByteArray empty = lineOf({255, 255, 255, 255, 255, 255, 255, 255,
                                     255, 255, 255, 255, 255, 255, 255, 255});
    QCOMPARE(empty, QByteArray(" 255 ").repeated(16) + "\r\n");
    QByteArray expected;
    for (int r = 0; r < 256; ++r) {
        if (r == 130)
            expected += lineOf({0, 37, 0, 64, 0, 0, 0, 1, 0, 0, 3, 255, 255, 255, 255, 255});
        else if (r == 250)
            expected += lineOf({0, 64, 0, 71, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255});
        else if (r == 252)
            expected += lineOf({118, 149, 5, 0, 0, 200, 64, 0, 0, 0, 255, 255, 0, 255, 255, 255});
        else if (r == 254)
            expected += lineOf({255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255});
        else
            expected += empty;
    }
    QCOMPARE(text, expected);
}

void TestChannelFile::roundTripThroughDisk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fresh.chann"));
    QString error;
    Img(1, 0) = 0; // some non-default content, including a zero
    Img(255, 15) = 17;
    const QList<int> saved = imageBytes();
    QVERIFY2(saveChannelFile(path, Document(), error, Language::English), qPrintable(error));
    startWithDefaultImage();
    QVERIFY2(loadChannelFile(path, Document(), error, Language::English), qPrintable(error));
    QCOMPARE(imageBytes(), saved);

    // Saving over an existing file replaces it.
    Img(1, 0) = 5;
    QVERIFY2(saveChannelFile(path, Document(), error, Language::English), qPrintable(error));
    Img(1, 0) = 9;
    QVERIFY(loadChannelFile(path, Document(), error, Language::English));
    QCOMPARE(Img(1, 0), qint16(5));
}

void TestChannelFile::separatorsOtherThanTheProgramWrites_data()
{
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<int>("valuesPerLine");
    QTest::newRow("commas") << QByteArray(",") << 16;
    QTest::newRow("single spaces") << QByteArray(" ") << 16;
    QTest::newRow("comma and space, 7 a line") << QByteArray(", ") << 7;
    QTest::newRow("one a line, LF only") << QByteArray("\n") << 1;
    QTest::newRow("tabs, all on one line") << QByteArray("\t") << 4096;
}

void TestChannelFile::separatorsOtherThanTheProgramWrites()
{
    QFETCH(QByteArray, separator);
    QFETCH(int, valuesPerLine);
    for (int r = 0; r < 256; ++r)
        for (int c = 0; c < 16; ++c)
            Img(r, c) = static_cast<qint16>((r * 7 + c) % 256);
    const QList<int> expected = imageBytes();
    QByteArray text;
    for (int k = 0; k < expected.size(); ++k) {
        text += QByteArray::number(expected[k]);
        text += (k + 1) % valuesPerLine == 0 ? QByteArray("\r\n") : separator;
    }
    QList<int> values;
    QString error;
    QVERIFY2(parseChannelFile(text, values, error, Language::English), qPrintable(error));
    QCOMPARE(values, expected);
}

// A file of 4096 values in the program's layout, with value `index`
// replaced by `token`, and `count` values in all.
static QByteArray fileWith(int index = -1, const QByteArray &token = {}, int count = 4096)
{
    QByteArray text;
    for (int k = 0; k < count; ++k) {
        text += ' ' + (k == index ? token : QByteArray("255")) + ' ';
        if (k % 16 == 15 || k == count - 1)
            text += "\r\n";
    }
    return text;
}

void TestChannelFile::malformedFileLeavesImageUntouched_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "The file holds only 0 numbers; a channel file holds 4096.";
    QTest::newRow("one number short") << fileWith(-1, {}, 4095)
                                      << "The file holds only 4095 numbers; a channel file holds 4096.";
    QTest::newRow("one number more") << fileWith(-1, {}, 4097) << "Line 257: the file holds more than 4096 numbers.";
    QTest::newRow("not a number") << fileWith(17, "abc") << "Line 2: \"abc\" is not a whole number.";
    QTest::newRow("decimal") << fileWith(48, "2.5") << "Line 4: \"2.5\" is not a whole number.";
    QTest::newRow("above 255") << fileWith(150, "256") << "Line 10: the value 256 is not between 0 and 255.";
    QTest::newRow("negative") << fileWith(0, "-1") << "Line 1: the value -1 is not between 0 and 255.";
    QTest::newRow("binary bytes shown escaped") << fileWith(20, QByteArray("1\x00\x01\\\xff", 5))
                                                << "Line 2: \"1\\x00\\x01\\x5c\\xff\" is not a whole number.";
    QTest::newRow("too long to be a byte") << fileWith(4095, "99999999999999999999999")
                                           << "Line 256: the value 99999999999999999999 is not between 0 and 255.";
}

void TestChannelFile::malformedFileLeavesImageUntouched()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.chann"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();

    for (int r = 0; r < 256; ++r)
        Img(r, 3) = 42; // an image that differs from every file above
    const QList<int> before = imageBytes();
    QString error;
    QVERIFY(!loadChannelFile(path, Document(), error, Language::English));
    QCOMPARE(error, message);
    QCOMPARE(imageBytes(), before);
}

void TestChannelFile::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    // A folder of that name cannot be replaced by a file.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.chann")));
    QString error;
    QVERIFY(!saveChannelFile(dir.filePath(QStringLiteral("taken.chann")), Document(), error, Language::English));
    QVERIFY(error.startsWith(QStringLiteral("The file ")));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken.chann"))).isDir());

    QVERIFY(!loadChannelFile(dir.filePath(QStringLiteral("missing.chann")), Document(), error, Language::English));
    QVERIFY(error.contains(QStringLiteral("cannot be opened")));
}

// Each kind of special file that a name may stand for; `make` creates it at
// the path it is given.
using MakeSpecial = std::function<bool(const QString &)>;
Q_DECLARE_METATYPE(MakeSpecial)

void TestChannelFile::specialFilesAreRefusedUnread_data()
{
    QTest::addColumn<MakeSpecial>("make");
    QTest::addColumn<QString>("problem");
    QTest::newRow("named pipe") << MakeSpecial([](const QString &path) {
        return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    }) << "is a named pipe";
    QTest::newRow("endless device behind a link") << MakeSpecial([](const QString &path) {
        return QFile::link(QStringLiteral("/dev/zero"), path);
    }) << "is a device";
    QTest::newRow("folder") << MakeSpecial([](const QString &path) { return QDir().mkdir(path); })
                            << "is a folder";
    QTest::newRow("socket") << MakeSpecial([](const QString &path) {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        if (fd < 0 || size_t(name.size()) >= sizeof address.sun_path)
            return false;
        memcpy(address.sun_path, name.constData(), size_t(name.size()));
        const bool bound = bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        close(fd);
        return bound;
    }) << "is a socket";
}

void TestChannelFile::specialFilesAreRefusedUnread()
{
    QFETCH(MakeSpecial, make);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.chann"));
    QVERIFY(make(path));
    const QList<int> before = imageBytes();
    QString error;
    QVERIFY(!loadChannelFile(path, Document(), error, Language::English));
    QCOMPARE(error, path + QLatin1Char(' ') + problem + QStringLiteral(", not a channel file."));
    QCOMPARE(imageBytes(), before);
}

void TestChannelFile::sizeLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("read");
    const qint64 limit = 1024 * 1024;
    QTest::newRow("exactly the limit") << limit << true;
    QTest::newRow("one byte more") << limit + 1 << false;
}

// A valid file padded with blanks to `size` bytes.
void TestChannelFile::sizeLimit()
{
    QFETCH(qint64, size);
    QFETCH(bool, read);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("padded.chann"));
    QByteArray text = fileWith(0, "7");
    text.append(size - text.size(), ' ');
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == size);
    file.close();
    const QList<int> before = imageBytes();
    QString error;
    QCOMPARE(loadChannelFile(path, Document(), error, Language::English), read);
    if (read) {
        QCOMPARE(Img(0, 0), qint16(7));
    } else {
        QCOMPARE(error, QStringLiteral("The file %1 is too large to be a channel file: the limit is 1 MiB (1048576 bytes).").arg(path));
        QCOMPARE(imageBytes(), before);
    }
}

QTEST_GUILESS_MAIN(TestChannelFile)
#include "tst_channel_file.moc"
