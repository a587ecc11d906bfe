#include "ui/accessibility/accessible_control.h"

#include <oleacc.h>

#include <cstring>

#include "core/win32/system_libraries.h"
#include "ui/accessibility/control_descriptions.h"

namespace brimel {
namespace {

const IID kUnknownInterface = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kDispatchInterface = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kAccessibleInterface = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

typedef HRESULT(WINAPI* CreateStdAccessibleObjectFn)(HWND, LONG, REFIID, void**);
typedef LRESULT(WINAPI* LresultFromObjectFn)(REFIID, WPARAM, LPUNKNOWN);
typedef BSTR(WINAPI* SysAllocStringFn)(const OLECHAR*);
typedef void(WINAPI* NotifyWinEventFn)(DWORD, HWND, LONG, LONG);
typedef BOOL(WINAPI* PostMessageFn)(HWND, UINT, WPARAM, LPARAM);

// The accessibility library, from the system folder only, looked for once.
struct Library {
    bool tried = false;
    CreateStdAccessibleObjectFn createStandard = nullptr;
    LresultFromObjectFn lresultFromObject = nullptr;
    SysAllocStringFn allocString = nullptr;
    // Looked up rather than imported: the import table stays as it was.
    PostMessageFn post = nullptr;
} library;

FARPROC Function(HMODULE module, const char* name) { return module ? GetProcAddress(module, name) : nullptr; }

template <class T>
T As(FARPROC function) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(function));
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The control's object: what the control is, from its description at each
// question (the control may change or go meanwhile), over the system's
// standard object of its window.
class AccessibleControl final : public IAccessible {
public:
    AccessibleControl(HWND control, IAccessible* standard) : control_(control), standard_(standard) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (memcmp(&iid, &kUnknownInterface, sizeof iid) && memcmp(&iid, &kDispatchInterface, sizeof iid) &&
            memcmp(&iid, &kAccessibleInterface, sizeof iid)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
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
        const ControlDescription d = DescribeControl(control_);
        if (!IsSelf(child) || d.role == 0) return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = d.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        const ControlDescription d = DescribeControl(control_);
        if (!IsSelf(child) || d.role == 0 || FAILED(result) || state->vt != VT_I4) return result;
        // Focus as this thread sees it: the standard object may ask the
        // thread in front.
        state->lVal = (state->lVal & ~(d.clearedState | STATE_SYSTEM_FOCUSED)) | d.state;
        if (GetFocus() == control_) state->lVal |= STATE_SYSTEM_FOCUSED;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        const ControlDescription d = DescribeControl(control_);
        if (!IsSelf(child) || d.action == nullptr) return standard_->get_accDefaultAction(child, action);
        *action = library.allocString ? library.allocString(d.action) : nullptr;
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const ControlDescription d = DescribeControl(control_);
        if (!IsSelf(child) || d.action == nullptr) return standard_->accDoDefaultAction(child);
        // Out of reach of the mouse, out of reach of the tool.
        if (!IsWindowEnabled(control_) || !IsWindowEnabled(GetParent(control_))) return E_FAIL;
        return library.post(control_, d.actionMessage, d.actionWParam, 0) ? S_OK : E_FAIL;
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
    ULONG references_ = 1;
    HWND control_;
    IAccessible* standard_;
};

}  // namespace

bool AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return false;
    if (!library.tried) {
        library.tried = true;
        const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        library.createStandard = As<CreateStdAccessibleObjectFn>(Function(oleacc, "CreateStdAccessibleObject"));
        library.lresultFromObject = As<LresultFromObjectFn>(Function(oleacc, "LresultFromObject"));
        library.allocString = As<SysAllocStringFn>(Function(GetModuleHandleA("oleaut32.dll"), "SysAllocString"));
        library.post = As<PostMessageFn>(Function(GetModuleHandleA("user32.dll"), "PostMessageA"));
    }
    if (!library.createStandard || !library.lresultFromObject || !library.post) return false;
    IAccessible* standard = nullptr;
    if (FAILED(library.createStandard(control, OBJID_CLIENT, kAccessibleInterface, reinterpret_cast<void**>(&standard))) ||
        standard == nullptr)
        return false;
    AccessibleControl* object = new AccessibleControl(control, standard);
    *result = library.lresultFromObject(kAccessibleInterface, wParam, object);
    object->Release();
    return *result >= 0;
}

void AnnounceChange(HWND control, DWORD event) {
    static const NotifyWinEventFn notify =
        As<NotifyWinEventFn>(Function(GetModuleHandleA("user32.dll"), "NotifyWinEvent"));
    if (notify) notify(event, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace brimel
