// The component library in the program folder: QuorvexReportViewer.clsReportViewer is created
// by its ProgID, offers the viewer interface, and returns errors as call results.
#include "platform/com/CreateObject.h"
#include "platform/com/LibraryMetadata.h"
#include "platform/com/ProgramFolder.h"
#include "reports/ProgIds.h"
#include "reports/ReportViewer.h"

#include <gtest/gtest.h>
#include <QDir>

using namespace Qt::StringLiterals;

namespace lumesk {
namespace {

QString programFolder()
{
    return qEnvironmentVariable("QV_BIN_DIR");
}

TEST(LumeskLibraryTest, TheViewerIsCreatedByItsProgIdFromTheProgramFolder)
{
    ASSERT_FALSE(programFolder().isEmpty()) << "QV_BIN_DIR is not set";
    const QString library = QDir(programFolder()).filePath(u"libLumesk.so"_s);
    const com::LibraryMetadata metadata = com::readLibraryMetadata(library);
    ASSERT_TRUE(metadata.isComponent) << metadata.problem.toStdString();
    EXPECT_EQ(metadata.progIds, QStringList{reports::progid::ReportViewer});

    const com::ScopedProgramFolder folder(programFolder());
    const std::unique_ptr<QObject> viewer =
        com::createObject(u"quorvexreportviewer.CLSREPORTVIEWER"_s);
    ASSERT_NE(viewer, nullptr);
    auto& reportViewer =
        com::interfaceOf<reports::ReportViewer>(*viewer, reports::progid::ReportViewer);
    // No window is open: the call's error, not an exception.
    const reports::CallResult result = reportViewer.ProgressStatus(1);
    EXPECT_EQ(result.number, 91);
    EXPECT_EQ(result.source, u"clsReportViewer"_s);
}

} // namespace
} // namespace lumesk
