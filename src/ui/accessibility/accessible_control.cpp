#include "ui/accessibility/accessible_control.h"

#include "core/win32/owners.h"
#include "core/win32/system_libraries.h"

namespace brimel {
namespace {

// The accessibility library's functions, looked for once, when a tool first
// asks.  The library stays loaded for the rest of the process: the objects
// handed out run its code until the last tool lets go of them.
struct OleaccFunctions {
    decltype(&CreateStdAccessibleObject) createStandard;
    decltype(&LresultFromObject) lresultFromObject;
};

OleaccFunctions LoadOleacc() {
    Library oleacc(LoadSystemLibrary("oleacc.dll"));
    const OleaccFunctions functions = {
        oleacc.Export<decltype(&CreateStdAccessibleObject)>("CreateStdAccessibleObject"),
        oleacc.Export<decltype(&LresultFromObject)>("LresultFromObject")};
    oleacc.Release();
    return functions;
}

ControlDescription DescriptionOf(HWND control) {
    ControlDescription d;
    if (const AccessibleWindow* window = WindowAs<AccessibleWindow>(control)) window->Describe(d);
    return d;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The control's object: what the control is, from its description at each
// question (the control may change or go meanwhile), over the system's
// standard object of its window.
class AccessibleControl final : public IAccessible {
public:
    // The control's object as the platform's answer to the tool; negative
    // when there is none, as without the accessibility library.
    static LRESULT Answer(HWND control, WPARAM wParam, const OleaccFunctions& oleacc) {
        if (oleacc.createStandard == nullptr || oleacc.lresultFromObject == nullptr) return -1;
        AccessibleControl* object = new AccessibleControl(control);
        const bool made = SUCCEEDED(oleacc.createStandard(control, OBJID_CLIENT, IID_IAccessible,
                                                          object->standard_.ReceiveVoid())) &&
                          object->standard_;
        const LRESULT result = made ? oleacc.lresultFromObject(IID_IAccessible, wParam, object) : -1;
        object->Release();
        return result;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, IID_IAccessible)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // No type information: tools call through the interface itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const ControlDescription d = DescriptionOf(control_);
        if (!IsSelf(child) || d.role == 0) return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = d.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        const ControlDescription d = DescriptionOf(control_);
        if (!IsSelf(child) || d.role == 0 || FAILED(result) || state->vt != VT_I4) return result;
        // Focus as this thread sees it: the standard object may ask the
        // thread in front.
        state->lVal = (state->lVal & ~(d.clearedState | STATE_SYSTEM_FOCUSED)) | d.state;
        if (GetFocus() == control_) state->lVal |= STATE_SYSTEM_FOCUSED;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        const ControlDescription d = DescriptionOf(control_);
        if (!IsSelf(child) || d.action == nullptr) return standard_->get_accDefaultAction(child, action);
        *action = SysAllocString(d.action);
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const ControlDescription d = DescriptionOf(control_);
        if (!IsSelf(child) || d.action == nullptr) return standard_->accDoDefaultAction(child);
        // Out of reach of the mouse, out of reach of the tool.
        if (!IsWindowEnabled(control_) || !IsWindowEnabled(GetParent(control_))) return E_FAIL;
        return PostMessageA(control_, d.actionMessage, d.actionWParam, 0) ? S_OK : E_FAIL;
    }

    // The rest is the standard object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    explicit AccessibleControl(HWND control) : control_(control) {}

    LONG references_ = 1;
    HWND control_;
    ComPtr<IAccessible> standard_;
};

}  // namespace

BRIMEL_IMPLEMENT_CLASS(AccessibleWindow, Window)

LRESULT AccessibleWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Wine asks for the client object first, then for others, before it
    // falls back to a standard object of its own.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        static const OleaccFunctions oleacc = LoadOleacc();
        const LRESULT answer = AccessibleControl::Answer(Handle(), wParam, oleacc);
        if (answer >= 0) return answer;
    }
    return Window::WindowProc(message, wParam, lParam);
}

void AnnounceChange(HWND control, DWORD event) {
    // Looked up: NT 4 lacks it.  The function outlives the owner's reference,
    // as the program imports user32 and keeps it loaded.
    static const auto notify =
        Library(LoadSystemLibrary("user32.dll")).Export<decltype(&NotifyWinEvent)>("NotifyWinEvent");
    if (notify) notify(event, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace brimel
