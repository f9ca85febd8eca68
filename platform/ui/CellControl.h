// A cell control draws the cells that name its id and, for editable kinds, edits the current cell
// through one editor widget that serves every cell of its id in its grid.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <string>

class QKeyEvent;
class QPainter;
class QPalette;
class QWidget;

namespace platform::ui {

class Grid;
struct CellStyle;

// What a control needs to draw one cell.
struct CellPaint {
    QPainter* painter;
    QRect rect;
    const CellStyle* style;
    const QPalette* palette;
    QFont font;             // the grid's font, bold applied
    bool current = false;   // the grid's current cell
    int pressedButton = -1; // a cell button held down by the mouse
};

class CellControl {
public:
    CellControl();
    virtual ~CellControl();
    CellControl(const CellControl&) = delete;
    CellControl& operator=(const CellControl&) = delete;

    Grid* GetGrid() const { return m_grid; }

    // Drawing of a cell that is not being edited. The base draws the interior and the display text
    // (or a "#BMP(%d)" bitmap) with the style's alignment, wrap, weight and colour.
    virtual void Paint(const CellPaint& paint) const;
    virtual std::string DisplayText(const CellStyle& style) const;
    // Size the cell needs; width > 0 wraps word-wrapped text to that width.
    virtual QSize SizeHint(const CellStyle& style, const QFont& font, int width) const;

    // Buttons inside the cell (drop arrow, spin arrows, browse button, the push button itself).
    virtual int ButtonCount(const CellStyle& style) const;
    virtual QRect ButtonRect(const QRect& cell, int button) const;
    // Buttons that act when the mouse goes down (spin arrows) rather than on a click.
    virtual bool ButtonActsOnPress(int button) const;
    // The user clicked (or pressed) a button of the grid's current cell.
    virtual void OnButton(int button);
    // The Space key on the current cell while it is not being edited.
    virtual bool OnSpace();

    // Editing.
    virtual bool CanActivate(const CellStyle& style) const;
    QWidget* Editor(); // made on first use, a child of the grid's viewport
    // Fills the editor from the cell; the control is then not modified.
    virtual void Load(const CellStyle& style);
    // Right after activation: typed is the text of the key that started the edit, if any.
    virtual void Begin(const QString& typed);
    // The editor's value as the cell would store it, and the text it shows.
    virtual std::string Value(const CellStyle& style) const;
    virtual std::string Text() const;
    virtual void SetValue(const std::string& value, const CellStyle& style);
    // The style of the cell being edited changed (choice list, attributes).
    virtual void Restyle(const CellStyle& style);
    // false for controls that write their cell on every change themselves.
    virtual bool StoresOnCommit() const;
    virtual void DropDown();
    // A key in the control's drop-down window; answers whether it was taken.
    virtual bool PopupKey(QKeyEvent& event);
    // The edit ends (close drop-downs).
    virtual void End();

protected:
    virtual QWidget* CreateEditor(QWidget* parent);

    // Size of the display text (or bitmap) with the cell's margins, buttons not counted.
    QSize ContentSize(const CellStyle& style, const QFont& font, int width) const;

    // For the editors: the user changed the control (marks the cell modified, notifies the grid).
    void UserModified();
    // Marks the cell modified without a notification (a value set by a spin arrow).
    void SetModified();
    // Hands a key to the grid's key processing; answers whether it was taken.
    bool ForwardKey(QWidget* sender, QKeyEvent& event);
    // Tells the grid a button of its current cell was clicked (OnClickedButtonRowCol).
    void NotifyButtonClicked();
    // The grid's current cell: false when there is none.
    bool CurrentCell(int& row, int& col) const;
    const CellStyle* CurrentStyle() const;
    bool IsActive() const;

    // Draws text into a rectangle as the base Paint does.
    static void DrawText(const CellPaint& paint, const QRect& rect, const std::string& text);

private:
    friend class Grid;
    Grid* m_grid = nullptr;
    QPointer<QWidget> m_editor;
};

// Makes the controls for ids a grid does not know yet. The program installs one; controls it does
// not make come from the standard set (StandardControls.h), any other id gets an edit.
class ControlFactory {
public:
    virtual ~ControlFactory() = default;
    // Null for ids it leaves to the standard set.
    virtual std::unique_ptr<CellControl> CreateControl(int id) = 0;
};

// Not owned; null removes it.
void SetControlFactory(ControlFactory* factory);
ControlFactory* GetControlFactory();

} // namespace platform::ui
