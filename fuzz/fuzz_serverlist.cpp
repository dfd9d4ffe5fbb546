// libFuzzer target: the firmware server's file list, through the program's client and catalogue
// (the rules the window queries by) against the in-process server on 127.0.0.1 (the list body is
// answered as it stands). The first byte of an input chooses the kind (bit 0 set: bootloader
// images); the rest is the body. Every query must keep the client's promises (see
// listOutcomeViolation): a result that is empty or a name of the asked kind that cannot lead out of
// the Documents folder, no request but the list, nothing changed below HOME, and an answer within
// 10 s.

#include "fuzzharness.h"
#include "listquery.h"

#include <cstddef>
#include <cstdint>

namespace {

const int TimeLimitMs = 10000;

// Left to the end of the process on purpose: its server would be destroyed after the
// application object in exit handlers.
ListFixture *fixture = nullptr;

QList<QByteArray> seeds()
{
    const QByteArray fmr = "snp300_1_3_0.quenmarksnpfmr";
    const QByteArray btl = "snp300_1_0_15.quenmarksnpbtl";
    return {
        "\x00"
            + listBody({ QString::fromLatin1(fmr), QStringLiteral("snp300_1_2_3.quenmarksnpfmr"),
                         QString::fromLatin1(btl) }),
        "\x01"
            + listBody({ QString::fromLatin1(fmr), QString::fromLatin1(btl),
                         QStringLiteral("snp300_1_0_14.quenmarksnpbtl") }),
        QByteArray(1, '\0') + "<snp300><group><listItem><size>12</size><name>" + fmr
            + "</name><name>x</name></listItem></group></snp300>",
        QByteArray(1, '\0')
            + "<?xml version=\"1.0\"?><!DOCTYPE snp300 [<!ENTITY v \"1_3_0\">]>"
              "<snp300><listItem><name>snp300_&v;.quenmarksnpfmr</name></listItem></snp300>",
        QByteArray(1, '\0')
            + "<hr><snp300><listItem><name><![CDATA[snp300_1_3_0]]>"
              ".quenmarksnpfmr</name></listItem></snp300><hr>",
        QByteArray(1, '\0') + "<hr><snp300><q:x/>" + QByteArray("<a>").repeated(300)
            + "<listItem><name>" + fmr + "</name></listItem>" + QByteArray("</a>").repeated(300)
            + "</snp300><hr>",
    };
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzHarness::start(argc, argv, seeds());
    fixture = new ListFixture;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    ListQuery query;
    query.bootloader = (data[0] & 1) != 0;
    query.body = QByteArray(reinterpret_cast<const char *>(data) + 1, int(size) - 1);
    const ListOutcome outcome = runListQuery(*fixture, query);
    const QString violation = listOutcomeViolation(query, outcome, TimeLimitMs);
    if (!violation.isEmpty())
        FuzzHarness::fail(violation);
    return 0;
}
