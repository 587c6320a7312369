#pragma once

class QMenuBar;
class QWidget;

namespace ui {

class MdiFrame;

// An MDI child form: a form that lives inside the program's MDI frame (ui::MdiFrame). The
// widget class comes first, then ui::Form, then this:
//
//     class frmImpression : public QWidget, public ui::Form, public ui::MdiChild { ... };
//
//     auto* child = new frmImpression;  // not loaded, not shown: no window yet
//     ui::load(*child);                 // into the frame's area, Form_Load, then shown as the
//                                       // active child: Form_Activate
//
// Loading a child, like showing it, puts it into the loaded frame and shows it there; with no
// frame loaded it is an ordinary top-level window. The child builds its menus into menus(), a
// holder that is never shown itself: the frame's one menu bar shows them while the child is
// the active child, and only then do their shortcuts work.
class MdiChild
{
public:
    MdiChild() = default;
    virtual ~MdiChild();
    MdiChild(const MdiChild&) = delete;
    MdiChild& operator=(const MdiChild&) = delete;

    // The holder of the child's menus (top-level menus in order); made on first use.
    QMenuBar* menus();
    // The frame the child was loaded into; nullptr before that or without a frame.
    MdiFrame* frame() const { return m_frame; }

    // The child became the frame's active child: it was loaded, chosen (a click, the Window
    // list, bringToFront), another child was unloaded, or a modal form of ours closed over it.
    virtual void Form_Activate() {}
    // Another child became active, or a modal form of ours opened over this one. Not called
    // for a child that is being unloaded.
    virtual void Form_Deactivate() {}

private:
    friend class MdiFrame;

    QWidget* childWidget();

    QMenuBar* m_menus = nullptr;
    MdiFrame* m_frame = nullptr;
};

} // namespace ui
