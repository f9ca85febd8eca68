#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/ui/View.h"

#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class ZRAttribute;
class ZRBaseCommand;
class ZRBaseGlobalDataMgr;
class ZRGroupRow;
class ZRMonitorRowFactory;
class ZRNodeMgr;
class ZRObject;
class ZRPropertiesGrid;
class ZRPropertyGroup;

// A window that keeps chosen parameters of one drive on screen: a grid of attribute rows under
// group header rows, a display-format choice, and buttons that pick the parameters, save the choice
// as a named set-up file, load one and reset the drive's peaks. On line the grid re-reads its
// visible rows on the idle tick. Its observers (the node manager) hear reason Destroying when it goes away.
class ZRMonitorView : public QWidget,
                      public platform::ui::View,
                      public ZRMvcModel,
                      public platform::core::Observer {
public:
    // Controls.
    static constexpr int kGridId = 19817;
    static constexpr int kFormatComboId = 19838;
    static constexpr int kFormatLabelId = 19839;
    // The test harness's query message.
    static constexpr unsigned kVtMessage = 0xBFE4;

    // The set-up that stands for "none": never listed, never saved by name.
    static constexpr const char* kEmptySetup = "_";
    static constexpr const char* kFileVersionLine = "MonitorFileVersion:1";
    static constexpr const char* kExtension = ".mnr";

    explicit ZRMonitorView(QWidget* parent = nullptr);
    // Tells the observers (reason Destroying) and stops observing the object's name.
    ~ZRMonitorView() override;

    // The drive shown; the view observes its name attribute.
    void SetObject(ZRObject* object);
    ZRObject* GetObject() const { return m_pObject; }
    // The node manager asked for the monitor tree (not owned).
    void SetController(ZRNodeMgr* controller) { m_pController = controller; }
    ZRNodeMgr* GetController() const { return m_pController; }
    void SetHelpTopic(unsigned long topic) { m_HelpTopic = topic; }
    unsigned long GetHelpTopic() const { return m_HelpTopic; }
    // Shows "Reset Peaks" for a command and hides it for null (not owned).
    void SetResetPeaks(ZRBaseCommand* command);
    void SetDataMgr(ZRBaseGlobalDataMgr* dataMgr) { m_pDataMgr = dataMgr; }
    ZRBaseGlobalDataMgr* GetDataMgr() const { return m_pDataMgr; }
    // Names the settings value that holds the default set-up and the directory of the set-ups.
    void SetRegistryValueName(std::string name) { m_RegistryValueName = std::move(name); }
    const std::string& GetRegistryValueName() const { return m_RegistryValueName; }
    // The set-up last loaded or saved.
    const std::string& GetFileName() const { return m_FileName; }
    // The default set-up's name; a missing or empty one becomes "_" and is written back.
    std::string GetDefaultFileName();
    // The directory of the set-up files.
    std::string GetSetupDir() const;
    // The path of a set-up's file.
    std::string GetSetupPath(const std::string& name) const;
    // "%s - Monitor [%s] " with a set-up that is not "_", else "%s - Monitor".
    void SetMonitorTitle();
    const std::string& GetTitle() const { return m_Title; }

    static void SetFactory(ZRMonitorRowFactory* factory) { s_pFactory = factory; }
    static ZRMonitorRowFactory* s_pFactory;

    // Titles and binds the grid, off line unless the drive is on line; once.
    void OnInitialUpdate() override;
    // From the object's name: reason ValueChanged sets the title again, reason Destroying forgets the object.
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    const platform::ui::CommandTable* Commands() const override;

    void OnHelp();
    void OnNextPaneCmd();
    void OnPrevPaneCmd();
    void OnLoad();
    // Writes the set-up under a name the user gives; only a written file becomes the default.
    void OnSave();
    void OnResetPeaks();
    void OnSetup();
    void OnChangeFormat();
    // Loads the default set-up when its file exists.
    void OnDisplayRows();
    // The harness query: type 1 cell text to the page, 2 page text to the cell, 3 the cell's
    // rectangle; nothing without a page. Always 0.
    long OnVtMessage(unsigned int type, long cell);

    ZRPropertiesGrid* GetGrid() const { return m_pGrid; }
    // A control by id (the grid, the format label and combo, the buttons); null for an unknown id.
    QWidget* Item(int id) const;
    QComboBox* GetFormatCombo() const { return m_pFormat; }

protected:
    void OnSize(unsigned type, int cx, int cy);
    void resizeEvent(QResizeEvent* event) override;

private:
    ZRPropertyGroup* GetMonitorTree() const;

    // Replaces the rows with those of the set-up file; a file that cannot be read or is not a
    // set-up changes nothing.
    bool LoadFile(const std::string& name);
    void SaveDefaultFileName(const std::string& name);
    // One line per shown attribute row that the monitor tree still holds.
    void AddData(std::string& text);
    // Resolves one set-up line into rows; the group that holds the attribute, or null.
    ZRPropertyGroup* AddRow(ZRPropertyGroup* group, const std::string& path, bool newPrefix);
    ZRAttribute* FindAttribute(ZRPropertyGroup* group, const std::string& name);
    bool FindAttributePath(ZRPropertyGroup* group, const std::string& groupName, ZRAttribute* attribute,
                           std::string& path);

    ZRPropertiesGrid* m_pGrid = nullptr;
    ZRObject* m_pObject = nullptr;
    ZRNodeMgr* m_pController = nullptr;
    unsigned long m_HelpTopic = 0;
    ZRBaseCommand* m_pResetPeaks = nullptr;
    ZRBaseGlobalDataMgr* m_pDataMgr = nullptr;
    std::string m_RegistryValueName;
    std::string m_FileName;
    std::string m_Title;
    QLabel* m_pFormatLabel = nullptr;
    QComboBox* m_pFormat = nullptr;
    QPushButton* m_pLoad = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pResetPeaksButton = nullptr;
    QPushButton* m_pSetup = nullptr;
    QPushButton* m_pClose = nullptr;
    QPushButton* m_pHelp = nullptr;
    // The header row that rows of the same group join while a set-up loads.
    ZRGroupRow* m_pCurrentHeader = nullptr;
    bool m_bInitialized = false;
};
