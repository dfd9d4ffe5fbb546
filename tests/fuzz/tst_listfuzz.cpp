// Hostile and randomly damaged file lists from the firmware server, through the program's client
// and catalogue (the rules the window queries by) and a real HTTP server on 127.0.0.1. Whatever the
// list holds, the client must not crash or hang, must stay within a generous memory bound, must
// fetch nothing the list points to, must only ever choose a name of the asked kind that cannot lead
// out of the Documents folder, and a download must land directly in that folder and nowhere else.
//
// Each hostile document is queried in a child process (this program, started again with
// SNP_LISTFUZZ_CHILD set), so that a crash or a memory peak is seen per document. The seeded
// mutations of a valid list run in this process. SNP_FUZZ_SEED=<n> replaces the base seed.

#include "listquery.h"
#include "processmemory.h"
#include "testdata.h"

#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const quint32 DefaultSeed = 0x11570f2;
const char ChildVariable[] = "SNP_LISTFUZZ_CHILD";
const int HostileTimeLimitMs = 30000; // the list wait is 5 s; the rest is parsing
const int MutantTimeLimitMs = 5000;
// A query may take a fixed allowance plus a hundred times the size of the list: the 8 MB list
// takes some 210 MB.
const qint64 MemoryAllowanceKb = 128 * 1024;
const int MemoryPerListByte = 100;

quint32 baseSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("SNP_FUZZ_SEED").toUInt(&ok, 0);
    return ok ? seed : DefaultSeed;
}

QByteArray item(const QByteArray &name)
{
    return "<listItem><name>" + name + "</name></listItem>";
}

QByteArray wrapped(const QByteArray &items, const QByteArray &doctype = QByteArray())
{
    return doctype + "<hr><snp300>" + items + "</snp300><hr>";
}

QByteArray itemsOf(const QList<QByteArray> &names)
{
    QByteArray items;
    for (const QByteArray &name : names)
        items += item(name);
    return items;
}

// The list of many images: 120,000 items, about 8 MB, beyond the 4 MiB a list may have (it is
// refused as soon as it passes that bound); 50,000 items, about 3.5 MB, stay below it.
QByteArray hugeList(int count = 120000)
{
    QByteArray items;
    items.reserve(count * 75);
    for (int i = 0; i < count; ++i) {
        QByteArray name;
        switch (i % 4) {
        case 0:
            name = "snp300_1_" + QByteArray::number(i % 3) + "_" + QByteArray::number(i % 97)
                + ".quenmarksnpfmr";
            break;
        case 1:
            name = "snp300_1_0_" + QByteArray::number(i % 89) + ".quenmarksnpbtl";
            break;
        case 2:
            name = "readme_" + QByteArray::number(i) + ".txt";
            break;
        default:
            name = "snp300_2_0_" + QByteArray::number(i) + ".quenmarksnpfmr.bak";
            break;
        }
        items += "<listItem><name>" + name + "</name><size>" + QByteArray::number(i * 37)
            + "</size></listItem>";
    }
    return wrapped(items);
}

QByteArray nested(const QByteArray &open, const QByteArray &close, int depth,
                  const QByteArray &inner)
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

QByteArray billionLaughs()
{
    QByteArray doctype = "<?xml version=\"1.0\"?><!DOCTYPE snp300 [<!ENTITY lol0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        doctype += "<!ENTITY lol" + QByteArray::number(i) + " \""
            + ("&lol" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    }
    return doctype + "]><snp300>" + item("snp300_1_9_9&lol9;.quenmarksnpfmr")
        + item(Fmr130.toUtf8()) + "</snp300>";
}

// One entity of 4,000 characters used 12,000 times: no nesting, 36 KB of list.
QByteArray flatEntityExpansion()
{
    return "<?xml version=\"1.0\"?><!DOCTYPE snp300 [<!ENTITY a \"" + QByteArray(4000, 'a')
        + "\">]><snp300>"
        + item("snp300_1_9_9" + QByteArray("&a;").repeated(12000) + ".quenmarksnpfmr")
        + "</snp300>";
}

QByteArray hostileNames()
{
    const QList<QByteArray> names = {
        "../snp300_9_9_9.quenmarksnpfmr",
        "..\\snp300_9_9_8.quenmarksnpfmr",
        "/tmp/snp300_9_9_7.quenmarksnpfmr",
        "C:snp300_9_9_6.quenmarksnpfmr",
        "C:\\Windows\\snp300_9_9_5.quenmarksnpfmr",
        "sub/dir_9_9_4.quenmarksnpfmr",
        "..",
        ".",
        "snp300_9_9_3\x01.quenmarksnpfmr",
        "snp300_9_9_2\x7f.quenmarksnpfmr",
        "snp300_9_9_1&#10;.quenmarksnpfmr",
        "snp300_9_9_0&#x1b;[31m.quenmarksnpfmr",
        "snp300_9_8_9&#9;.quenmarksnpfmr",
        "&#x2F;etc&#x2F;snp300_9_8_8.quenmarksnpfmr",
        "\n  snp300_9_8_7.quenmarksnpfmr\n",
        "snp300_9_8_5:stream.quenmarksnpfmr",
        "snp300/9_8_4_x.quenmarksnpfmr",
    };
    return wrapped(itemsOf(names) + item(Fmr130.toUtf8()));
}

QByteArray oddNames()
{
    const QList<QByteArray> names = {
        "snp300_9_9_9\xff\xfe.quenmarksnpfmr", // invalid UTF-8
        "snp300_9_9_8\xed\xa0\x80.quenmarksnpfmr", // an encoded surrogate
        "\xe2\x80\xae"
        "rmfpnskramneuq.9_9_9_003pns.quenmarksnpfmr", // right-to-left override
        "snp300_9_9_7\xe2\x88\x95x.quenmarksnpfmr", // division slash, not a separator
        "snp300_9_9_6\xc0\xaf..\xc0\xafx.quenmarksnpfmr", // an overlong "/" in UTF-8
        "snp300_1_9_9" + QByteArray(100000, 'x') + ".quenmarksnpfmr",
        "snp300_1_9_8<![CDATA[]]>.quenmarksnpfmr",
        "snp300_1_9<!-- a comment -->_7.quenmarksnpfmr",
        "snp300_1_9_6<b>.quenmarksnpfmr</b>",
        "snp300_1_9_5.quenmarksnpfmr&amp;",
        "CON_1_9_4.quenmarksnpfmr",
        " snp300_1_9_3.quenmarksnpfmr",
        "snp300_-1_9_2.quenmarksnpfmr",
        "snp300_99999999999_9_1.quenmarksnpfmr",
    };
    return wrapped(itemsOf(names));
}

ListQuery query(const QByteArray &body, bool download = false, bool bootloader = false)
{
    ListQuery q;
    q.body = body;
    q.download = download;
    q.bootloader = bootloader;
    return q;
}

// --- the child: one query, its outcome written as JSON next to the request ------------------

int runChild(const QString &folder)
{
    QFile requestFile(folder + QStringLiteral("/query.json"));
    if (!requestFile.open(QIODevice::ReadOnly))
        return 2;
    const ListQuery q
        = ListQuery::fromJson(QJsonDocument::fromJson(requestFile.readAll()).object());
    ListOutcome outcome;
    {
        ListFixture fixture;
        outcome = runListQuery(fixture, q);
    }
    QFile outcomeFile(folder + QStringLiteral("/outcome.json"));
    if (!outcomeFile.open(QIODevice::WriteOnly))
        return 3;
    outcomeFile.write(QJsonDocument(outcome.toJson()).toJson());
    return 0;
}

// Random damage to a valid list: flipped, inserted, deleted, doubled and cut bytes, with XML
// pieces and name pieces among the insertions.
class ListMutator
{
public:
    explicit ListMutator(quint32 seed)
        : m_random(seed)
    { }

    // Damage anywhere in the document.
    QByteArray mutate(QByteArray body)
    {
        for (int n = bounded(1, 4); n > 0 && !body.isEmpty(); --n) {
            const int at = bounded(0, body.size() - 1);
            switch (bounded(0, 5)) {
            case 0:
                body[at] = char(m_random.bounded(256));
                break;
            case 1:
                body.insert(at, pick());
                break;
            case 2:
                body.remove(at, bounded(1, 24));
                break;
            case 3:
                body.insert(at, body.mid(bounded(0, body.size() - 1), bounded(1, 80)));
                break;
            case 4:
                body.truncate(qMax(at, body.size() - 40));
                break;
            default:
                body.insert(at, pick() + pick() + pick());
                break;
            }
        }
        return body;
    }

    // Damage inside the names only, so that the document mostly stays well-formed and the
    // names reach the candidate rules.
    QByteArray mutateNames(const QStringList &names)
    {
        QByteArray items;
        for (const QString &name : names) {
            QByteArray bytes = name.toUtf8();
            for (int n = bounded(0, 3); n > 0; --n) {
                const int at = bounded(0, bytes.size());
                if (bounded(0, 2) == 0)
                    bytes.remove(at, bounded(1, 4));
                else
                    bytes.insert(at, pick());
            }
            items += "<listItem><name>" + bytes + "</name></listItem>";
        }
        return "<hr><snp300>" + items + "</snp300><hr>";
    }

private:
    int bounded(int lowest, int highest) { return int(m_random.bounded(lowest, highest + 1)); }

    QByteArray pick()
    {
        static const QList<QByteArray> pieces = { "<",
                                                  ">",
                                                  "/",
                                                  "&",
                                                  ";",
                                                  "<hr>",
                                                  "<listItem>",
                                                  "</listItem>",
                                                  "<name>",
                                                  "</name>",
                                                  "<snp300>",
                                                  "</snp300>",
                                                  "_",
                                                  ".",
                                                  "..",
                                                  "/",
                                                  "\\",
                                                  ":",
                                                  "quenmarksnpfmr",
                                                  "quenmarksnpbtl",
                                                  "&#10;",
                                                  "&#1;",
                                                  "&amp;",
                                                  "&lt;",
                                                  "<![CDATA[",
                                                  "]]>",
                                                  "<!--",
                                                  "-->",
                                                  QByteArray(1, '\0'),
                                                  "\xff",
                                                  "9",
                                                  "1",
                                                  "0",
                                                  "C:",
                                                  "\r\n",
                                                  " ",
                                                  "<?xml version=\"1.0\"?>",
                                                  "<!DOCTYPE snp300>" };
        return pieces.at(bounded(0, pieces.size() - 1));
    }

    QRandomGenerator m_random;
};

} // namespace

class tst_ListFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hostileDocuments_data();
    void hostileDocuments();
    void mutatedLists();

private:
    bool runInChild(const ListQuery &q, ListOutcome *outcome, QString *crash);
};

void tst_ListFuzz::initTestCase()
{
    qInfo("base seed 0x%x (SNP_FUZZ_SEED replaces it)", baseSeed());
}

bool tst_ListFuzz::runInChild(const ListQuery &q, ListOutcome *outcome, QString *crash)
{
    QTemporaryDir folder;
    QFile requestFile(folder.filePath(QStringLiteral("query.json")));
    if (!folder.isValid() || !requestFile.open(QIODevice::WriteOnly)) {
        *crash = QStringLiteral("cannot write the query for the child");
        return false;
    }
    requestFile.write(QJsonDocument(q.toJson()).toJson());
    requestFile.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ChildVariable), folder.path());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished(5000);
        *crash = QStringLiteral("the query did not end within 120 s");
        return false;
    }
    const QByteArray output = child.readAll();
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        *crash = QStringLiteral("the child %1 (exit code %2); its last output:\n%3")
                     .arg(child.exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed")
                                                                    : QStringLiteral("failed"))
                     .arg(child.exitCode())
                     .arg(QString::fromLocal8Bit(output.right(2000)));
        return false;
    }
    QFile outcomeFile(folder.filePath(QStringLiteral("outcome.json")));
    if (!outcomeFile.open(QIODevice::ReadOnly)) {
        *crash = QStringLiteral("the child left no outcome");
        return false;
    }
    *outcome = ListOutcome::fromJson(QJsonDocument::fromJson(outcomeFile.readAll()).object());
    return true;
}

void tst_ListFuzz::hostileDocuments_data()
{
    QTest::addColumn<QJsonObject>("query");

    const auto row
        = [](const char *name, const ListQuery &q) { QTest::newRow(name) << q.toJson(); };

    ListQuery hostile = query(hostileNames(), true);
    hostile.served = { { Fmr130, "the real image\n" } };
    row("names with separators and control characters, download", hostile);
    row("names with separators and control characters", query(hostileNames()));
    row("name with a C1 control character",
        query(wrapped(item("snp300_9_8_3\xc2\x85.quenmarksnpfmr") + item(Fmr130.toUtf8()))));
    row("odd names", query(oddNames()));
    row("odd names, bootloader kind", query(oddNames(), false, true));
    ListQuery huge = query(hugeList(), true);
    huge.served = { { QStringLiteral("snp300_1_2_96.quenmarksnpfmr"), "newest\n" } };
    row("huge list, download", huge);
    row("huge list, bootloader kind", query(hugeList(), false, true));
    ListQuery large = query(hugeList(50000), true);
    large.served = huge.served;
    row("large list below the bound, download", large);
    row("one item with 100000 names",
        query(wrapped("<listItem>" + ("<name>" + Fmr130.toUtf8() + "</name>").repeated(100000)
                      + "</listItem>")));
    row("nesting 10000 levels",
        query(wrapped(nested("<a>", "</a>", 10000, item(Fmr130.toUtf8())))));
    row("name nested 10000 levels",
        query(wrapped("<listItem><name>" + nested("<b>", "</b>", 10000, Fmr130.toUtf8())
                      + "</name></listItem>")));
    row("list items nested 10000 levels",
        query(wrapped(nested("<listItem><name>" + Fmr130.toUtf8() + "</name>", "</listItem>", 10000,
                             QByteArray()))));
    row("nesting 100000 levels",
        query(wrapped(nested("<a>", "</a>", 100000, item(Fmr130.toUtf8())))));
    // The stream reader stops at an undeclared prefix unless it reads names as the document
    // parser does; the depth behind it must still be seen.
    row("undeclared prefix, then nesting 100000 levels",
        query(wrapped("<q:x/>" + nested("<a>", "</a>", 100000, item(Fmr130.toUtf8())))));
    row("billion laughs", query(billionLaughs()));
    row("flat entity expansion", query(flatEntityExpansion()));
    row("external DTD",
        query("<?xml version=\"1.0\"?><!DOCTYPE snp300 SYSTEM "
              "\"http://127.0.0.1:%PORT%/snp300/list.dtd\">"
              + wrapped(item(Fmr130.toUtf8()))));
    row("external entity over HTTP",
        query("<?xml version=\"1.0\"?><!DOCTYPE snp300 [<!ENTITY e SYSTEM "
              "\"http://127.0.0.1:%PORT%/snp300/index.php\">]><snp300>"
              + item("snp300_1_9_9&e;.quenmarksnpfmr") + "</snp300>"));
    row("external parameter entity",
        query("<?xml version=\"1.0\"?><!DOCTYPE snp300 [<!ENTITY % p SYSTEM "
              "\"http://127.0.0.1:%PORT%/snp300/p.dtd\"> %p;]><snp300>"
              + item(Fmr130.toUtf8()) + "</snp300>"));
    // An entity that is not fetched reads as nothing: the name without it is served.
    ListQuery fileEntity = query("<?xml version=\"1.0\"?><!DOCTYPE snp300 [<!ENTITY e SYSTEM "
                                 "\"file:///etc/passwd\">]><snp300>"
                                     + item("snp300_1_9_9&e;.quenmarksnpfmr") + "</snp300>",
                                 true);
    fileEntity.served = { { QStringLiteral("snp300_1_9_9.quenmarksnpfmr"), "image\n" } };
    row("external entity from a file, download", fileEntity);
    row("unbalanced tags",
        query("<hr><snp300><listItem><name>" + Fmr130.toUtf8() + "</listItem></snp300><hr>"));
    row("unclosed root", query("<hr><snp300>" + item(Fmr130.toUtf8())));
    row("rules inside tags and names",
        query("<h<hr>r><snp300><list<hr>Item><name>snp300_1_<hr>3_0.quenmarksnpfmr</name>"
              "</listItem><hr></snp300><HR><hr"));
    row("rules only", query(QByteArray("<hr>").repeated(100000)));
    row("NUL bytes",
        query(wrapped(item("snp300_1_9_9" + QByteArray(1, '\0') + ".quenmarksnpfmr")
                      + item(Fmr130.toUtf8()) + QByteArray(1, '\0'))));
    row("root below another element",
        query("<files><snp300>" + item(Fmr130.toUtf8()) + "</snp300></files>"));
    row("prefixed root",
        query("<x:snp300 xmlns:x=\"urn:x\">" + item(Fmr130.toUtf8()) + "</x:snp300>"));
    row("declared as UTF-16",
        query("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + wrapped(item(Fmr130.toUtf8()))));
    row("byte order mark and processing instructions",
        query("\xef\xbb\xbf<?xml version=\"1.0\"?><?php echo 1; ?><snp300><?x y?>"
              + item(Fmr130.toUtf8()) + "</snp300>"));
    row("bootloader names when firmware is asked",
        query(wrapped(item(Btl015.toUtf8()) + item("snp300_9_9_9.quenmarksnpbtl"))));
    row("version fields beyond int",
        query(wrapped(item("snp300_2147484_0_0.quenmarksnpfmr")
                      + item("snp300_0_0_2147483647.quenmarksnpfmr")
                      + item("snp300_-2147484_0_0.quenmarksnpfmr") + item(Fmr130.toUtf8()))));
}

void tst_ListFuzz::hostileDocuments()
{
    QFETCH(QJsonObject, query);
    const ListQuery q = ListQuery::fromJson(query);

    ListOutcome outcome;
    QString crash;
    const bool ended = runInChild(q, &outcome, &crash);
    QVERIFY2(ended, qPrintable(crash));

    const qint64 grownKb = outcome.peakResidentKb - outcome.startResidentKb;
    qInfo("%lld ms, peak %lld KiB (+%lld KiB), result %s", outcome.elapsedMs,
          outcome.peakResidentKb, grownKb, qPrintable(outcome.result.left(120)));
    const qint64 allowedKb = MemoryAllowanceKb + ProcessMemory::sanitizerOverheadKb()
        + MemoryPerListByte * q.body.size() / 1024;
    QVERIFY2(grownKb < allowedKb,
             qPrintable(QStringLiteral("the query took the process from %1 KiB to %2 KiB "
                                       "(%3 KiB allowed for %4 bytes of list)")
                            .arg(outcome.startResidentKb)
                            .arg(outcome.peakResidentKb)
                            .arg(allowedKb)
                            .arg(q.body.size())));
    const QString violation = listOutcomeViolation(q, outcome, HostileTimeLimitMs);
    QVERIFY2(violation.isEmpty(), qPrintable(violation));
    // A file's content never turns up in a name.
    QVERIFY(!outcome.result.contains(QLatin1String("root:")));
}

void tst_ListFuzz::mutatedLists()
{
    const QStringList names = { Fmr130,
                                QStringLiteral("snp300_1_2_3.quenmarksnpfmr"),
                                Btl015,
                                QStringLiteral("snp300_1_0_14.quenmarksnpbtl"),
                                QStringLiteral("snp300_1_3_0.quenmarksnpfmr.bak"),
                                QStringLiteral("notes_1_3.txt") };
    const QByteArray valid = listBody(names);
    const quint32 seed = baseSeed();
    ListMutator mutator(seed);
    QRandomGenerator coin(seed);
    const qint64 startKb = ProcessMemory::residentKb();
    int chosen = 0;
    int downloads = 0;

    ListFixture f;
    for (int i = 0; i < 300; ++i) {
        const QByteArray body = i % 2 == 0 ? mutator.mutate(valid) : mutator.mutateNames(names);
        ListQuery q = query(body, false, coin.bounded(2) == 1);
        const QString context = QStringLiteral("seed 0x%1, mutant %2 (%3 kind): %4\n")
                                    .arg(seed, 0, 16)
                                    .arg(i)
                                    .arg(q.serviceId())
                                    .arg(QString::fromLatin1(q.body.toPercentEncoding()));
        const ListOutcome outcome = runListQuery(f, q);
        QString violation = listOutcomeViolation(q, outcome, MutantTimeLimitMs);
        QVERIFY2(violation.isEmpty(), qPrintable(context + violation));
        if (outcome.result.isEmpty())
            continue;
        ++chosen;

        // Download what was chosen, when the server can hold a file of that name: it must land
        // directly in Documents.
        const QString name = outcome.result;
        if (downloads >= 25 || name.startsWith(QLatin1Char('.'))
            || name.contains(QLatin1String("..")) || name.toUtf8().size() > 200)
            continue;
        q.download = true;
        q.served = { { name, "image for mutant " + QByteArray::number(i) + "\n" } };
        const ListOutcome stored = runListQuery(f, q);
        violation = listOutcomeViolation(q, stored, MutantTimeLimitMs);
        QVERIFY2(violation.isEmpty(),
                 qPrintable(context + QStringLiteral("download: ") + violation));
        QCOMPARE(stored.result, f.home.documentsPath() + QLatin1Char('/') + name);
        QFile::remove(stored.result);
        QFile::remove(f.serverImagePath(name));
        ++downloads;
    }
    qInfo("300 mutants: %d chose a file, %d downloaded", chosen, downloads);
    const qint64 residentKb = ProcessMemory::residentKb();
    QVERIFY2(
        residentKb < startKb + MemoryAllowanceKb + ProcessMemory::sanitizerOverheadKb(),
        qPrintable(
            QStringLiteral("resident size %1 KiB, %2 KiB at start").arg(residentKb).arg(startKb)));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString childFolder = qEnvironmentVariable(ChildVariable);
    if (!childFolder.isEmpty())
        return runChild(childFolder);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_ListFuzz test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_listfuzz.moc"
