#include "biometrics/digital_persona.h"
#include "biometrics/finger_galleries.h"
#include "support/fingerprint_fixture.h"
#include "support/qstring_printer.h"
#include "support/screen_services.h"
#include "support/test_database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::biometrics;
using namespace Qt::StringLiterals;

namespace {

class DigitalPersonaTest : public test::FingerprintFixture {
protected:
    Minutiae minutiaeOf(const char* finger) { return engine().extract(sample(finger)).value(); }
    dpfp::DPFPFeatureSet featuresOf(const char* finger) { return {sample(finger)}; }

    // Lets queued events run until the condition holds or the time is up.
    static bool waitFor(const std::function<bool()>& condition, int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return condition();
    }
};

TEST_F(DigitalPersonaTest, CaptureRaisesOnCompleteOnItsThreadUntilStopped) {
    dpfp::DPFPCapture capture(sharedEngine());
    std::vector<dpfp::DPFPSample> samples;
    QThread* raisedOn = nullptr;
    capture.OnComplete = [&](dpfp::DPFPCapture* sender, const QString& serial,
                             const dpfp::DPFPSample& s) {
        EXPECT_EQ(sender, &capture);
        EXPECT_TRUE(serial.isEmpty());
        raisedOn = QThread::currentThread();
        samples.push_back(s);
    };
    ASSERT_TRUE(capture.StartCapture().ok());
    present("arch_rot");
    ASSERT_TRUE(waitFor([&] { return samples.size() == 1; }, 5000));
    EXPECT_EQ(raisedOn, QThread::currentThread());
    EXPECT_EQ(samples[0].image.pixels, sample("arch_rot").pixels);
    EXPECT_EQ(dpfp::DPFPSampleConversion().ConvertToPicture(samples[0]).size(), QSize(256, 240));

    capture.StopCapture();
    present("whorl_rot");
    EXPECT_FALSE(waitFor([&] { return samples.size() > 1; }, 1000)) << "stopped";
}

TEST_F(DigitalPersonaTest, AFeatureSetNeedsAnImage) {
    dpfp::DPFPFeatureExtraction extraction;
    EXPECT_FALSE(extraction.CreateFeatureSet({}, 1).ok()) << "no image";
    ASSERT_TRUE(extraction.CreateFeatureSet({sample("whorl_rot")}, 1).ok());
    EXPECT_EQ(extraction.FeatureSet().image.pixels, sample("whorl_rot").pixels);
}

TEST_F(DigitalPersonaTest, GalleryFindsTheFirstMatchingRowAndSkipsWhatItCannotRead) {
    test::TestDatabase db;
    const auto student = [&](const char* number, const QString& persona) {
        db.exec(QStringLiteral("INSERT INTO Alunos (Matricula, Digital_Persona) VALUES (:m, :p)"),
                {{QStringLiteral(":m"), QLatin1String(number)}, {QStringLiteral(":p"), persona}});
    };
    student("0000012345", personaText(minutiaeOf("arch")));
    student("0000012346", QString());                          // empty
    student("0000012347", QStringLiteral("\x30\x31\x7F\x40")); // another platform's
    db.exec(QStringLiteral(
        "INSERT INTO Alunos (Matricula, Digital_Persona) VALUES ('0000012346', '')"));
    db.exec(QStringLiteral("INSERT INTO Funcionarios (MATRICULA, NOME, Digital_Persona) VALUES "
                           "('0000004321', 'Duda', :p)"),
            {{QStringLiteral(":p"), personaText(minutiaeOf("whorl"))}});

    PersonaGallery gallery(sharedEngine());
    ASSERT_TRUE(gallery.refresh(db.connection()).ok());
    test::RecordingErrorLog log;
    for (const auto& [finger, expected] : {std::pair{"whorl_rot", "0910004321"},
                                           {"arch_rot", "0000012345"},
                                           {"loop-right_rot", ""}}) {
        auto found = gallery.find(featuresOf(finger), log);
        ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
        EXPECT_EQ(found->value_or(QString()), QLatin1String(expected)) << finger;
    }
}

// The enrolment software writes Digital_Persona from another PC: enrolled, replaced and removed
// fingers are followed at the next look at the marker, and an unchanged marker reads nothing.
TEST_F(DigitalPersonaTest, GalleryFollowsFingersWrittenElsewhere) {
    test::TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO Alunos (Matricula) VALUES ('0000000001'), ('0000000002')"));
    store::ClubConnection enrolment(test::sqliteSpec(db.file(), test::Route::Direct),
                                    QStringLiteral("enrolment"));
    ASSERT_TRUE(enrolment.open().ok());
    const auto write = [&](const char* matricula, const char* finger) {
        const QVariant text =
            finger == nullptr ? QVariant() : QVariant(personaText(minutiaeOf(finger)));
        ASSERT_TRUE(enrolment
                        .execute(QStringLiteral("UPDATE Alunos SET Digital_Persona = :P WHERE "
                                                "Matricula = :M"),
                                 {{QStringLiteral(":P"), text},
                                  {QStringLiteral(":M"), QLatin1String(matricula)}})
                        .ok());
    };
    PersonaGallery gallery(sharedEngine());
    ASSERT_TRUE(gallery.refresh(db.connection()).ok());
    test::RecordingErrorLog log;
    const auto found = [&](const char* finger) {
        EXPECT_TRUE(gallery.refreshIfChanged(db.connection()).ok());
        auto answer = gallery.find(featuresOf(finger), log);
        EXPECT_TRUE(answer.ok());
        return answer.ok() ? answer->value_or(QString()) : QStringLiteral("failed");
    };
    EXPECT_EQ(found("whorl_rot"), QString()) << "no one enrolled yet";
    write("0000000001", "whorl");
    EXPECT_EQ(found("whorl_rot"), u"0000000001"_s) << "enrolled elsewhere";
    write("0000000001", "loop-right");
    write("0000000002", "arch");
    EXPECT_EQ(found("whorl_rot"), QString()) << "replaced";
    EXPECT_EQ(found("loop-right_rot"), u"0000000001"_s);
    EXPECT_EQ(found("arch_rot"), u"0000000002"_s);
    write("0000000002", nullptr);
    EXPECT_EQ(found("arch_rot"), QString()) << "removed";
}

// The doctor's account of the stored fingers no reader here can match, member by member: an
// empty DIGITAL of AlunosAtivos is no finger at all, an empty template elsewhere is one that
// cannot match, and this terminal's mark on a text that does not decode is a damaged one.
TEST_F(DigitalPersonaTest, UnusableTemplatesAreNamedByMemberAndKind) {
    test::TestDatabase db;
    const QString ours = digitalText(minutiaeOf("arch"));
    db.exec(QStringLiteral("INSERT INTO AlunosAtivos (MATRICULA, NOME, DIGITAL) VALUES "
                           "('0000000001', 'Ana', :ours), ('0000000002', 'Bia', 'OFT1!!not64'), "
                           "('0000000003', 'Caio', 'OFT1AAAA'), ('0000000004', 'Duda', ''), "
                           "('0000000005', 'Eva', 'AQAAABQAAAD0'), ('0000000006', 'Fabio', NULL)"),
            {{QStringLiteral(":ours"), ours}});
    db.exec(QStringLiteral("INSERT INTO Funcionarios (MATRICULA, NOME, DIGITAL, Digital_Persona) "
                           "VALUES ('0000004321', 'Gil', '', :persona), "
                           "('0000004322', 'Hugo', :ours, 'OFT1zzz')"),
            {{QStringLiteral(":ours"), ours},
             {QStringLiteral(":persona"), personaText(minutiaeOf("whorl"))}});
    db.exec(QStringLiteral("INSERT INTO Alunos (Matricula, Digital_Persona) VALUES "
                           "('0000000001', 'x0p'), ('0000000002', ''), ('0000000003', :huge)"),
            {{QStringLiteral(":huge"), QString(kLargestTemplateText + 1, u'0')}});

    const auto found = findUnusableTemplates(db.connection());
    ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
    struct Expected {
        const char* column; // table.column
        QStringList foreign, damaged, empty, oversized;
    };
    const Expected expected[] = {
        {"AlunosAtivos.DIGITAL", {u"0000000005"_s}, {u"0000000002"_s, u"0000000003"_s}, {}},
        {"Funcionarios.DIGITAL", {}, {}, {u"0000004321"_s}},
        {"Alunos.Digital_Persona", {u"0000000001"_s}, {}, {u"0000000002"_s}, {u"0000000003"_s}},
        {"Funcionarios.Digital_Persona", {}, {u"0000004322"_s}, {}},
    };
    ASSERT_EQ(found->size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const UnusableTemplates& column = found->at(i);
        SCOPED_TRACE(expected[i].column);
        EXPECT_EQ(column.table + u'.' + column.column, QLatin1String(expected[i].column));
        EXPECT_EQ(column.foreign, expected[i].foreign);
        EXPECT_EQ(column.damaged, expected[i].damaged);
        EXPECT_EQ(column.empty, expected[i].empty);
        EXPECT_EQ(column.oversized, expected[i].oversized);
    }
}

TEST_F(DigitalPersonaTest, IndexLoadsStudentsAndEmployeesUnderTheirNumbers) {
    test::TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO AlunosAtivos (MATRICULA, NOME, DIGITAL) VALUES "
                           "('0000012345', 'Ana', :a), ('0000012346', 'Bia', 'AQAAABQAAAD0'), "
                           "('0000012347', 'Caio', '')"),
            {{QStringLiteral(":a"), digitalText(minutiaeOf("arch"))}});
    db.exec(QStringLiteral("INSERT INTO Funcionarios (MATRICULA, NOME, DIGITAL) VALUES "
                           "('0000004321', 'Duda', :w)"),
            {{QStringLiteral(":w"), digitalText(minutiaeOf("whorl"))}});

    for (const bool withEmployees : {true, false}) {
        nbiobsp::NBioBSP bsp(sharedEngine());
        auto load = loadFingerIndex(bsp.IndexSearch, db.connection(),
                                    withEmployees ? &db.connection() : nullptr);
        ASSERT_TRUE(load.ok()) << load.error().message.toStdString();
        EXPECT_EQ(load->added, withEmployees ? 2 : 1);
        EXPECT_EQ(load->skipped, 1) << "the foreign template";

        bsp.Device.Open(255);
        present("whorl_rot");
        bsp.Extraction.Capture(1);
        bsp.Device.Close(255);
        bsp.IndexSearch.IdentifyUser(bsp.Extraction.TextEncodeFIR(), 5);
        if (withEmployees) {
            EXPECT_EQ(bsp.IndexSearch.ErrorCode(), nbiobsp::kNone);
            EXPECT_EQ(bsp.IndexSearch.UserID, 910004321);
        } else {
            EXPECT_EQ(bsp.IndexSearch.ErrorCode(), nbiobsp::kNotIdentified)
                << "employees are not in the index while another branch is chosen";
        }
    }
    // A number that is not one leaves its row out, named, and the others in.
    db.exec(QStringLiteral("INSERT INTO AlunosAtivos (MATRICULA, NOME, DIGITAL) VALUES "
                           "('12A45', 'Eva', :e)"),
            {{QStringLiteral(":e"), digitalText(minutiaeOf("loop-right"))}});
    nbiobsp::NBioBSP bsp(sharedEngine());
    auto load = loadFingerIndex(bsp.IndexSearch, db.connection(), nullptr);
    ASSERT_TRUE(load.ok()) << load.error().message.toStdString();
    EXPECT_EQ(load->added, 1);
    ASSERT_EQ(load->unusable.size(), 1);
    EXPECT_TRUE(load->unusable[0].contains(QStringLiteral("\"12A45\" of AlunosAtivos")))
        << load->unusable[0].toStdString();
}

} // namespace
