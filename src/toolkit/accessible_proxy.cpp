#include "toolkit/accessible_proxy.h"

namespace quorvex::tk {
namespace {

bool IsSelf(const VARIANT& v) { return v.vt == VT_I4 && v.lVal == CHILDID_SELF; }

// The row a VARIANT names (1-based child id), when the answers have rows.
std::optional<AccessibleRow> RowOf(const AccessibleAnswers& a, const VARIANT& v, std::size_t* index = nullptr) {
    if (!a.Rows || v.vt != VT_I4 || v.lVal < 1) return std::nullopt;
    std::vector<AccessibleRow> rows = a.Rows();
    const auto i = static_cast<std::size_t>(v.lVal - 1);
    if (i >= rows.size()) return std::nullopt;
    if (index) *index = i;
    return std::move(rows[i]);
}

class AccessibleProxy final : public AccessibleObject<AccessibleProxy> {
public:
    AccessibleProxy(HWND window, IAccessible* inner, std::shared_ptr<AccessibleAnswers> answers, IDispatch* parent)
        : window_(window), inner_(inner), answers_(std::move(answers)), parent_(parent) {
        if (parent_) parent_->AddRef();
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (auto row = RowOf(*answers_, child)) return AccessibleText(row->Name, name);
        if (!IsSelf(child) || answers_->Name.empty()) return inner_->get_accName(child, name);
        return AccessibleText(answers_->Name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (auto row = RowOf(*answers_, child)) {
            role->vt = VT_I4;
            role->lVal = row->Role;
            return S_OK;
        }
        if (!IsSelf(child) || answers_->Role == 0) return inner_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = answers_->Role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child) || !answers_->Value) return inner_->get_accValue(child, value);
        return AccessibleText(answers_->Value(), value);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (!parent_) return inner_->get_accParent(parent);
        parent_->AddRef();
        *parent = parent_;
        return S_OK;
    }

#define QUORVEX_FORWARD(call)                              \
    if (!answers_->Connected) return CO_E_OBJNOTCONNECTED; \
    return inner_->call;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override {
        if (!n) return E_POINTER;
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (!answers_->Rows) return inner_->get_accChildCount(n);
        *n = static_cast<LONG>(answers_->Rows().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** d) override {
        if (!d) return E_POINTER;
        *d = nullptr;
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (!answers_->Rows) return inner_->get_accChild(c, d);
        return RowOf(*answers_, c) ? S_FALSE : E_INVALIDARG;  // rows are simple elements
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* v) override{
        QUORVEX_FORWARD(get_accDescription(c, v))} HRESULT STDMETHODCALLTYPE
        get_accState(VARIANT c, VARIANT* s) override {
        if (!s) return E_POINTER;
        VariantInit(s);
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (auto row = RowOf(*answers_, c)) {
            s->vt = VT_I4;
            s->lVal = row->State;
            return S_OK;
        }
        return inner_->get_accState(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override{
        QUORVEX_FORWARD(get_accHelp(c, h))} HRESULT STDMETHODCALLTYPE
        get_accHelpTopic(BSTR* f, VARIANT c,
                         LONG* t) override{QUORVEX_FORWARD(get_accHelpTopic(f, c, t))} HRESULT STDMETHODCALLTYPE
        get_accKeyboardShortcut(VARIANT c, BSTR* k) override{
            QUORVEX_FORWARD(get_accKeyboardShortcut(c, k))} HRESULT STDMETHODCALLTYPE
        get_accFocus(VARIANT* f) override{QUORVEX_FORWARD(get_accFocus(f))} HRESULT STDMETHODCALLTYPE
        get_accSelection(VARIANT* s) override{QUORVEX_FORWARD(get_accSelection(s))} HRESULT STDMETHODCALLTYPE
        get_accDefaultAction(VARIANT c, BSTR* a) override {
        if (!a) return E_POINTER;
        *a = nullptr;
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (RowOf(*answers_, c)) return answers_->RowAction ? AccessibleText(answers_->RowActionName, a) : S_FALSE;
        return inner_->get_accDefaultAction(c, a);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG f,
                                        VARIANT c) override{QUORVEX_FORWARD(accSelect(f, c))} HRESULT STDMETHODCALLTYPE
        accLocation(LONG* l, LONG* t, LONG* w, LONG* h, VARIANT c) override {
        if (!l || !t || !w || !h) return E_POINTER;
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        if (auto row = RowOf(*answers_, c)) {
            RECT r = row->Bounds;
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
            *l = r.left;
            *t = r.top;
            *w = r.right - r.left;
            *h = r.bottom - r.top;
            return S_OK;
        }
        return inner_->accLocation(l, t, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override{
        QUORVEX_FORWARD(accNavigate(d, s, e))} HRESULT STDMETHODCALLTYPE
        accHitTest(LONG x, LONG y, VARIANT* c) override{QUORVEX_FORWARD(accHitTest(x, y, c))} HRESULT STDMETHODCALLTYPE
        accDoDefaultAction(VARIANT c) override {
        if (!answers_->Connected) return CO_E_OBJNOTCONNECTED;
        std::size_t index = 0;
        if (RowOf(*answers_, c, &index)) {
            if (!answers_->RowAction) return DISP_E_MEMBERNOTFOUND;
            return answers_->RowAction(index) ? S_OK : E_FAIL;
        }
        return inner_->accDoDefaultAction(c);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override{
        QUORVEX_FORWARD(put_accName(c, n))} HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override {
        QUORVEX_FORWARD(put_accValue(c, v))
    }
#undef QUORVEX_FORWARD

private:
    friend class AccessibleObject<AccessibleProxy>;
    ~AccessibleProxy() override {
        inner_->Release();
        if (parent_) parent_->Release();
    }

    HWND window_;
    IAccessible* inner_;
    std::shared_ptr<AccessibleAnswers> answers_;
    IDispatch* parent_;
};

}  // namespace

IAccessible* MakeAccessibleProxy(HWND window, std::shared_ptr<AccessibleAnswers> answers, IDispatch* parent) {
    IAccessible* inner = nullptr;
    // Not AccessibleObjectFromWindow: that would ask the window, which may be
    // answering with this very object.
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, AccessibleIid, reinterpret_cast<void**>(&inner))) ||
        !inner)
        return nullptr;
    return new AccessibleProxy(window, inner, std::move(answers), parent);
}

AccessibleWindow::AccessibleWindow(HWND window, AccessibleAnswers answers)
    : answers_(std::make_shared<AccessibleAnswers>(std::move(answers))) {
    hook_.emplace(window, [this](WindowSubclass& h, Message& m) {
        if (m.Msg != WM_GETOBJECT || static_cast<LONG>(m.LParam) != OBJID_CLIENT) return false;
        IAccessible* proxy = MakeAccessibleProxy(h.Window(), answers_, nullptr);
        if (!proxy) return false;
        m.Result = LresultFromObject(AccessibleIid, m.WParam, proxy);
        proxy->Release();
        return true;
    });
}

AccessibleWindow::~AccessibleWindow() {
    answers_->Connected = false;
    hook_.reset();
}

}  // namespace quorvex::tk
