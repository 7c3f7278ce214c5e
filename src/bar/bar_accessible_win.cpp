#include "bar/bar_accessible_win.h"

#include <oleacc.h>

#include <string>

#include "bar/bar_messages.h"
#include "toolkit/accessible_object.h"
#include "toolkit/accessible_proxy.h"
#include "toolkit/form.h"
#include "toolkit/graphic_control.h"
#include "toolkit/speed_button.h"
#include "toolkit/text.h"
#include "toolkit/win_control.h"
#include "widgets/bitmap_button_win.h"

namespace quorvex {

// What every object handed out shares with the bar: cut when the bar goes.
struct BarAccessibleLink {
    tk::Form* Bar = nullptr;
    tk::WinControl* QueryBox = nullptr;
    std::shared_ptr<tk::AccessibleAnswers> BoxAnswers;  // the query box's name and role
};

namespace {

constexpr const wchar_t* PressAction = L"按下";
constexpr LONG ChildCount = static_cast<LONG>(AccessibleElementCount);
constexpr int QueryBoxChild = 1;

// A child id from a client's VARIANT: CHILDID_SELF, 1..ChildCount, or -1.
LONG ChildOf(const VARIANT& v) {
    if (v.vt != VT_I4) return -1;
    return v.lVal >= CHILDID_SELF && v.lVal <= ChildCount ? v.lVal : -1;
}

}  // namespace

// The bar's client area: the painted buttons are simple children (ids 2..),
// the query box (id 1) an object of its own.
class BarAccessible final : public tk::AccessibleObject<BarAccessible> {
public:
    explicit BarAccessible(std::shared_ptr<BarAccessibleLink> link) : link_(std::move(link)) {}

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        return AccessibleObjectFromWindow(Window(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        *count = ChildCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id <= CHILDID_SELF) return E_INVALIDARG;
        if (id != QueryBoxChild) return S_FALSE;  // a simple element: the bar answers for it
        *out = QueryBoxObject();
        return *out ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        if (id == CHILDID_SELF) {
            // The bar's own title is empty; the program's title is its owner's.
            wchar_t title[128] = {};
            GetWindowTextW(GetWindow(Window(), GW_OWNER), title, 128);
            return tk::AccessibleText(title, name);
        }
        return tk::AccessibleText(tk::Utf8ToWide(Element(id).Name), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        if (id == QueryBoxChild) return tk::AccessibleText(link_->QueryBox->Text(), value);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (!text) return E_POINTER;
        *text = nullptr;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        tk::GraphicControl* c = id > QueryBoxChild ? Control(id) : nullptr;
        if (!c || c->Hint().empty()) return S_FALSE;
        return tk::AccessibleText(c->Hint(), text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = id == CHILDID_SELF    ? ROLE_SYSTEM_CLIENT
                     : id == QueryBoxChild ? ROLE_SYSTEM_COMBOBOX
                                           : ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        LONG bits = IsWindowVisible(Window()) ? 0 : STATE_SYSTEM_INVISIBLE;
        // Disabled while a modal dialog of the program is open: nothing on it works then.
        if (!IsWindowEnabled(Window())) bits |= STATE_SYSTEM_UNAVAILABLE;
        if (id == QueryBoxChild) {
            const HWND box = link_->QueryBox->Handle();
            if (!IsWindowVisible(box)) bits |= STATE_SYSTEM_INVISIBLE;
            if (!IsWindowEnabled(box)) bits |= STATE_SYSTEM_UNAVAILABLE;
            bits |= STATE_SYSTEM_FOCUSABLE;
            if (BoxHasFocus()) bits |= STATE_SYSTEM_FOCUSED;
        } else if (id > QueryBoxChild) {
            bits |= LookState(Control(id));
        }
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        if (!help) return E_POINTER;
        *help = nullptr;
        return link_->Bar ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return link_->Bar ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        if (!keys) return E_POINTER;
        *keys = nullptr;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        if (id == CHILDID_SELF || Element(id).Shortcut.empty()) return S_FALSE;
        return tk::AccessibleText(tk::Utf8ToWide(Element(id).Shortcut), keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        // The painted buttons never take the focus; only the query box does.
        if (!BoxHasFocus()) return S_FALSE;
        focus->pdispVal = QueryBoxObject();
        focus->vt = focus->pdispVal ? VT_DISPATCH : VT_EMPTY;
        return focus->pdispVal ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        VariantInit(selection);
        return link_->Bar ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        if (id <= QueryBoxChild) return S_FALSE;
        return tk::AccessibleText(PressAction, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        // Only the query box takes the focus.
        if (id != QueryBoxChild || !(flags & SELFLAG_TAKEFOCUS)) return DISP_E_MEMBERNOTFOUND;
        link_->QueryBox->SetFocus();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        RECT r{};
        if (id == CHILDID_SELF) {
            GetClientRect(Window(), &r);
        } else if (id == QueryBoxChild) {
            r = link_->QueryBox->BoundsRect();
        } else if (tk::GraphicControl* c = Control(id)) {
            r = c->BoundsRect();
        } else {
            return S_FALSE;
        }
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG from = ChildOf(start);
        if (from < 0) return E_INVALIDARG;
        TAccessibleDirection d;
        switch (direction) {
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD:
            if (from != CHILDID_SELF) return E_INVALIDARG;
            d = direction == NAVDIR_FIRSTCHILD ? TAccessibleDirection::First : TAccessibleDirection::Last;
            break;
        case NAVDIR_NEXT:
        case NAVDIR_RIGHT:
        case NAVDIR_PREVIOUS:
        case NAVDIR_LEFT:
            // The bar's own siblings are its window's business.
            if (from == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
            d = direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT ? TAccessibleDirection::Next
                                                                      : TAccessibleDirection::Previous;
            break;
        default:  // up and down: the row has one line
            return S_FALSE;
        }
        const int to = NavigateAccessible(CurrentRow(), from, d);
        if (to == 0) return S_FALSE;
        return ChildVariant(to, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (!child) return E_POINTER;
        VariantInit(child);
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        POINT p{x, y};
        ScreenToClient(Window(), &p);
        RECT client{};
        GetClientRect(Window(), &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        const RECT box = link_->QueryBox->BoundsRect();
        if (link_->QueryBox->Visible() && PtInRect(&box, p)) return ChildVariant(QueryBoxChild, child);
        if (tk::GraphicControl* c = link_->Bar->ControlAtPos(p)) {
            const int id = AccessibleChildOf(c->Name().c_str());
            if (id > QueryBoxChild) return ChildVariant(id, child);
        }
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!link_->Bar) return CO_E_OBJNOTCONNECTED;
        const LONG id = ChildOf(child);
        if (id < 0) return E_INVALIDARG;
        if (id <= QueryBoxChild) return DISP_E_MEMBERNOTFOUND;
        tk::GraphicControl* c = Control(id);
        // What a click can reach: a shown, enabled button.
        if (!c || !c->Visible() || !c->Enabled() || !IsWindowEnabled(Window())) return E_FAIL;
        // Posted: a click may open a menu or a dialog, whose loop must not
        // run inside the client's call.
        if (!PostMessageW(Window(), WM_APP_ACCESSIBLE_ACTION, static_cast<WPARAM>(id), 0))
            return HRESULT_FROM_WIN32(GetLastError());
        return S_OK;
    }

    // The control of a painted child, or null when the bar has none.
    tk::GraphicControl* Control(LONG id) const { return link_->Bar->Find<tk::GraphicControl>(Element(id).ControlName); }

    static LONG LookState(const tk::GraphicControl* c) {
        if (!c) return STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
        LONG bits = 0;
        if (!c->Visible()) bits |= STATE_SYSTEM_INVISIBLE;
        if (!c->Enabled()) bits |= STATE_SYSTEM_UNAVAILABLE;
        if (c->MouseInControl()) bits |= STATE_SYSTEM_HOTTRACKED;
        if (auto* s = dynamic_cast<const tk::SpeedButton*>(c); s && s->GetState() == tk::SpeedButton::State::Down)
            bits |= STATE_SYSTEM_PRESSED;
        return bits;
    }

    TAccessibleRow CurrentRow() const {
        TAccessibleRow row{};
        const auto& elements = BarAccessibleElements();
        for (std::size_t i = 0; i < elements.size(); ++i) {
            TAccessibleLook& look = row[i];
            RECT r{};
            if (i == 0) {
                look.Visible = link_->QueryBox->Visible();
                look.Enabled = link_->QueryBox->Enabled();
                r = link_->QueryBox->BoundsRect();
            } else if (tk::GraphicControl* c = Control(static_cast<LONG>(i) + 1)) {
                look.Visible = c->Visible();
                look.Enabled = c->Enabled();
                look.Description = tk::WideToUtf8(c->Hint());
                if (auto* s = dynamic_cast<tk::SpeedButton*>(c)) look.CaptionShown = !s->Caption().empty();
                r = c->BoundsRect();
            } else {
                look.Visible = look.Enabled = false;
            }
            look.Left = r.left;
            look.Top = r.top;
            look.Width = r.right - r.left;
            look.Height = r.bottom - r.top;
        }
        return row;
    }

    HWND Window() const { return link_->Bar->Handle(); }

private:
    friend class tk::AccessibleObject<BarAccessible>;
    ~BarAccessible() override = default;

    static const TAccessibleElementDef& Element(LONG id) {
        return BarAccessibleElements()[static_cast<std::size_t>(id - 1)];
    }

    bool BoxHasFocus() const {
        const HWND focus = GetFocus();
        const HWND box = link_->QueryBox->Handle();
        return focus && (focus == box || IsChild(box, focus));
    }

    IDispatch* QueryBoxObject() {
        return tk::MakeAccessibleProxy(link_->QueryBox->Handle(), link_->BoxAnswers, static_cast<IDispatch*>(this));
    }

    HRESULT ChildVariant(int id, VARIANT* out) {
        if (id == QueryBoxChild) {
            if (IDispatch* box = QueryBoxObject()) {
                out->vt = VT_DISPATCH;
                out->pdispVal = box;
                return S_OK;
            }
        }
        out->vt = VT_I4;
        out->lVal = id;
        return S_OK;
    }

    std::shared_ptr<BarAccessibleLink> link_;
};

BarAccessibility::BarAccessibility(tk::Form& bar, tk::WinControl& queryBox)
    : link_(std::make_shared<BarAccessibleLink>()) {
    link_->Bar = &bar;
    link_->QueryBox = &queryBox;
    // The box and its edit field (where the focus sits) answer with their
    // system objects under the box's name, for a reader that follows the focus.
    // Some systems' proxies (Wine's) call every window a client: the roles are given.
    const auto named = [](LONG role) {
        tk::AccessibleAnswers a;
        a.Name = tk::Utf8ToWide(BarAccessibleElements()[0].Name);
        a.Role = role;
        return a;
    };
    boxWindows_.push_back(std::make_unique<tk::AccessibleWindow>(queryBox.Handle(), named(ROLE_SYSTEM_COMBOBOX)));
    link_->BoxAnswers = boxWindows_.back()->Answers();
    if (HWND edit = FindWindowExW(queryBox.Handle(), nullptr, L"Edit", nullptr))
        boxWindows_.push_back(std::make_unique<tk::AccessibleWindow>(edit, named(ROLE_SYSTEM_TEXT)));
}

BarAccessibility::~BarAccessibility() {
    boxWindows_.clear();
    link_->Bar = nullptr;
    link_->QueryBox = nullptr;
    if (object_) {
        // Remote clients' proxies are cut off now; local ones see the link.
        CoDisconnectObject(object_, 0);
        object_->Release();
    }
}

BarAccessible& BarAccessibility::Object() {
    if (!object_) object_ = new BarAccessible(link_);
    return *object_;
}

bool BarAccessibility::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!link_->Bar) return false;
    if (msg == WM_GETOBJECT) {
        if (static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
        result = LresultFromObject(tk::AccessibleIid, wParam, &Object());
        return true;
    }
    if (msg == WM_APP_ACCESSIBLE_ACTION) {
        const auto id = static_cast<LONG>(wParam);
        if (id > QueryBoxChild && id <= ChildCount) {
            tk::GraphicControl* c = Object().Control(id);
            if (c && c->Visible() && c->Enabled() && IsWindowEnabled(link_->Bar->Handle())) c->Click();
        }
        result = 0;
        return true;
    }
    return false;
}

void BarAccessibility::RowChanged() {
    if (!link_->Bar) return;
    const TAccessibleRow now = Object().CurrentRow();
    if (haveLast_) {
        const HWND bar = link_->Bar->Handle();
        for (const TAccessibleNotice& n : AccessibleChanges(last_, now)) {
            DWORD event = EVENT_OBJECT_REORDER;
            switch (n.Event) {
            case TAccessibleEvent::NameChange:
                event = EVENT_OBJECT_NAMECHANGE;
                break;
            case TAccessibleEvent::StateChange:
                event = EVENT_OBJECT_STATECHANGE;
                break;
            case TAccessibleEvent::DescriptionChange:
                event = EVENT_OBJECT_DESCRIPTIONCHANGE;
                break;
            case TAccessibleEvent::Reorder:
                event = EVENT_OBJECT_REORDER;
                break;
            }
            NotifyWinEvent(event, bar, OBJID_CLIENT, n.Child == 0 ? CHILDID_SELF : n.Child);
        }
    }
    last_ = now;
    haveLast_ = true;
}

}  // namespace quorvex
