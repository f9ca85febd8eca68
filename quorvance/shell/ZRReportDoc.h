#pragma once

#include "kitbase/ui/ZRModelDoc.h"

#include <memory>

class QTextDocument;

// The document of a report window: its text buffer, made and destroyed with the document.
class ZRReportDoc : public ZRModelDoc {
public:
    ZRReportDoc();
    ~ZRReportDoc() override;

    // Starts an empty report in the report's fixed-pitch text.
    bool OnNewDocument() override;

    QTextDocument* GetBuffer() const { return m_pBuffer.get(); }

private:
    std::unique_ptr<QTextDocument> m_pBuffer;
};
