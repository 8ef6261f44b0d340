// objPDFExport: the plain PDF of the pages, then bookmarks, JPEG quality and encryption.

#include "platform/reportengine/export/PdfExport.h"

#include "platform/reportengine/export/PartialFile.h"
#include "platform/reportengine/export/PdfImageQuality.h"
#include "platform/reportengine/export/PdfOutline.h"
#include "platform/reportengine/render/PdfOutput.h"

#include <QFile>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const QString kSource = u"objPDFExport"_s;

std::vector<std::vector<TocEntry>> tocByPage(const PageDocument& document)
{
    std::vector<std::vector<TocEntry>> toc;
    toc.reserve(static_cast<std::size_t>(document.count()));
    for (int i = 0; i < document.count(); ++i)
        toc.push_back(document.page(i).toc);
    return toc;
}

// A password nobody knows, for a file that withholds permissions but has no owner password:
// an empty owner password would let any reader lift the restrictions.
std::string secretPassword()
{
    QByteArray bytes(24, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                          bytes.size() / 4);
    return bytes.toBase64().toStdString();
}

} // namespace

objPDFExport::objPDFExport(QObject* parent) : QObject(parent) {}

void objPDFExport::setJpgQuality(int percent) noexcept
{
    m_jpgQuality = qBound(0, percent, 100);
}

bool objPDFExport::encrypts() const noexcept
{
    return !m_userPassword.isEmpty() || !m_ownerPassword.isEmpty() ||
           (m_permissions & kAllowAll) != kAllowAll;
}

void objPDFExport::exportDocument(const PageDocument& document, const Progress& progress)
{
    PartialFile file(fileName(), kSource);
    // Qt's PDF, before libqpdf's pass, beside the target too.
    PartialFile plain(fileName() + u".plain"_s, kSource);
    try {
        writePdf(document, plain.path(), progress);
    } catch (const vb::Error& error) {
        // The plain writer names its temporary file; the user chose the target. Errors of
        // the progress handler (an interrupted export) pass unchanged.
        if (error.number() != vb::ErrorNumber::PathFileAccessError)
            throw;
        throw file.writeError(error.description());
    }
    try {
        QPDF pdf;
        pdf.processFile(QFile::encodeName(plain.path()).constData());
        recompressPdfImages(pdf, m_jpgQuality);
        if (m_outputTocAsBookmarks)
            addPdfOutline(pdf, tocByPage(document));
        if (m_showBookmarksInAcrobat)
            pdf.getRoot().replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
        // The writer keeps the name's pointer (it goes into the file's ID): it must outlive it.
        const QByteArray outputName = QFile::encodeName(file.path());
        QPDFWriter writer(pdf, outputName.constData());
        if (encrypts()) {
            const std::string user = m_userPassword.toStdString();
            const std::string owner = !m_ownerPassword.isEmpty() ? m_ownerPassword.toStdString()
                                      : !user.empty()            ? user
                                                                 : secretPassword();
            const bool modify = m_permissions & kAllowModify;
            writer.setR6EncryptionParameters(
                user.c_str(), owner.c_str(), true, m_permissions & kAllowCopy, modify, modify,
                modify, modify, (m_permissions & kAllowPrint) ? qpdf_r3p_full : qpdf_r3p_none,
                true);
        }
        writer.write();
    } catch (const vb::Error&) {
        throw;
    } catch (const std::exception& error) {
        throw file.writeError(QString::fromLocal8Bit(error.what()));
    }
    file.commit();
}

} // namespace report
