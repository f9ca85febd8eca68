#include "quorvance/shell/ZRReportDoc.h"

#include <QFontDatabase>
#include <QPlainTextDocumentLayout>
#include <QTextDocument>

ZRReportDoc::ZRReportDoc() : m_pBuffer(std::make_unique<QTextDocument>()) {
    m_pBuffer->setDocumentLayout(new QPlainTextDocumentLayout(m_pBuffer.get()));
}

ZRReportDoc::~ZRReportDoc() = default;

bool ZRReportDoc::OnNewDocument() {
    if (!ZRModelDoc::OnNewDocument())
        return false;
    // Reports line values up in columns.
    m_pBuffer->clear();
    m_pBuffer->setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return true;
}
