#pragma once

#include <memory>
#include <string>
#include <vector>

class QWidget;
class ZRMvcModel;

// A frame that may refuse to close (asked before its document goes).
class ZRCloseQuery {
public:
    virtual ~ZRCloseQuery() = default;
    // Non-zero when the frame may close.
    virtual int OkToClose() = 0;
};

// A document holding one model, which it owns; its views are widgets (not owned).
class ZRModelDoc {
public:
    ZRModelDoc();
    virtual ~ZRModelDoc();
    ZRModelDoc(const ZRModelDoc&) = delete;
    ZRModelDoc& operator=(const ZRModelDoc&) = delete;

    virtual bool OnNewDocument();
    // False keeps the document open: the frame of its first view refused to close.
    virtual bool SaveModified();

    ZRMvcModel* GetModel() const { return m_pModel.get(); }
    // The document owns the model from now on (a previous one is deleted).
    void SetModel(ZRMvcModel* model);

    void AddView(QWidget* view);
    void RemoveView(QWidget* view);
    const std::vector<QWidget*>& GetViews() const { return m_Views; }
    const std::string& GetTitle() const { return m_Title; }
    void SetTitle(const std::string& title) { m_Title = title; }

private:
    std::unique_ptr<ZRMvcModel> m_pModel;
    std::vector<QWidget*> m_Views;
    std::string m_Title;
};
