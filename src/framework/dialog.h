// A dialog made from a template and run in a modal loop of its own, so that
// PreTranslateMessage sees every message before the dialog keyboard handling.
#pragma once

#include "framework/window.h"

namespace brimel {

class Dialog : public Window {
    BRIMEL_DECLARE_CLASS(Dialog)

public:
    Dialog(UINT templateId, HWND parent);
    ~Dialog() override;

    // Creates the dialog, runs it until EndDialog or until its window is
    // destroyed, and returns its result: IDOK, IDCANCEL or what EndDialog was
    // given; -1 when it could not be made. The window is gone on return.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);
    bool IsRunning() const { return running_; }

    // Sees a message of the modal loop first; true means it was handled.
    virtual bool PreTranslateMessage(MSG* msg);

protected:
    // Binds the dialog's controls to their objects (see BindControl).
    virtual void DoDataExchange() {}
    // Binds the control with the given id to an object. Id -1 names the first
    // control without an id of its own, as templates write it.
    bool BindControl(int id, Window& control);
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // WM_COMMAND; true when handled. The default maps IDOK and IDCANCEL.
    virtual bool OnCommand(WORD id, WORD code, HWND control);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    static INT_PTR CALLBACK InitProc(HWND, UINT, WPARAM, LPARAM);

    UINT templateId_;
    HWND parent_;
    bool running_ = false;
    INT_PTR result_ = IDCANCEL;
};

}  // namespace brimel
