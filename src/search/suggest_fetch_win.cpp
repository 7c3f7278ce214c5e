#include "search/suggest_fetch_win.h"

#include <winhttp.h>

#include <atomic>
#include <string>
#include <utility>

#include "base/system_error_win.h"
#include "base/trace_win.h"
#include "search/gbk_codec_win.h"
#include "search/suggest_reply.h"
#include "search/suggest_url.h"
#include "toolkit/handles.h"

// WinHTTP runs in its asynchronous mode. The worker thread only starts a
// request and waits for its end, a newer request, Stop() or the time limit,
// whichever comes first; it never sits in a WinHTTP call that waits on the
// network. That matters because closing a handle does not always end a
// blocked synchronous call (Wine keeps it until the server answers), so only
// this design lets Stop() and a newer request leave a hanging one at once.

#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4  // Windows 8.1 and later
#endif

namespace quorvex {
namespace {

constexpr DWORD StopWaitMs = 900;
constexpr DWORD ReadChunkBytes = 8192;
const wchar_t* const UserAgent = L"Quorvex/" QUORVEX_VERSION_TEXT;

struct InternetCloser {
    void operator()(HINTERNET h) const { WinHttpCloseHandle(h); }
};
using UniqueInternet = tk::UniqueHandle<HINTERNET, InternetCloser>;

class LockScope {
public:
    explicit LockScope(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~LockScope() { ReleaseSRWLockExclusive(&lock_); }
    LockScope(const LockScope&) = delete;
    LockScope& operator=(const LockScope&) = delete;

private:
    SRWLOCK& lock_;
};

// One request's exchange, advanced by WinHTTP's callbacks on its own threads.
// The worker and the request handle each hold it: it goes when the worker is
// done with it and the handle has closed, which for a connection the server
// holds open can be long after the worker has left it.
struct TExchange {
    tk::UniqueKernel Done;  // set once, by Finish
    std::atomic<bool> Abandoned{false};
    std::atomic<bool> Finished{false};
    // Written by the callbacks, read by the worker only after Done.
    bool Ok = false;
    const char* FailedStep = nullptr;
    DWORD FailedCode = 0;
    std::string ContentType;
    std::string Body;
    char Chunk[ReadChunkBytes];

    void Finish(bool ok, const char* step = nullptr, DWORD code = 0) {
        if (Finished.exchange(true)) return;
        Ok = ok;
        FailedStep = step;
        FailedCode = code;
        SetEvent(Done.get());
    }
};
using TExchangeRef = std::shared_ptr<TExchange>;

std::string AsciiOf(const std::wstring& wide) {
    std::string text;
    for (wchar_t c : wide) text += c < 0x80 ? static_cast<char>(c) : '?';
    return text;
}

std::string ContentTypeOf(HINTERNET request) {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_TYPE, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                        &bytes, WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return {};  // none: GBK, as the service sends
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_TYPE, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &bytes,
                             WINHTTP_NO_HEADER_INDEX))
        return "?";  // unreadable: an unknown charset, so the reply is dropped
    value.resize(bytes / sizeof(wchar_t));
    return AsciiOf(value);
}

bool QueryNumber(HINTERNET request, DWORD what, DWORD& value) {
    DWORD bytes = sizeof value;
    return WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX, &value, &bytes,
                               WINHTTP_NO_HEADER_INDEX) != FALSE;
}

void ReadNext(HINTERNET request, TExchange& ex) {
    if (!WinHttpReadData(request, ex.Chunk, ReadChunkBytes, nullptr))
        ex.Finish(false, "WinHttpReadData", GetLastError());
}

void OnHeaders(HINTERNET request, TExchange& ex) {
    DWORD status = 0;
    if (!QueryNumber(request, WINHTTP_QUERY_STATUS_CODE, status)) return ex.Finish(false, "status", GetLastError());
    if (status != 200) return ex.Finish(false, "HTTP status", status);
    DWORD length = 0;
    if (QueryNumber(request, WINHTTP_QUERY_CONTENT_LENGTH, length) && length > SuggestReplyMaxBytes)
        return ex.Finish(false, "Content-Length over the limit", length);
    ex.ContentType = ContentTypeOf(request);
    ReadNext(request, ex);
}

void OnRead(HINTERNET request, TExchange& ex, DWORD bytes) {
    if (bytes == 0) return ex.Finish(true);
    ex.Body.append(ex.Chunk, bytes);
    // The rest of an oversize reply is never read: the handle closes.
    if (ex.Body.size() > SuggestReplyMaxBytes) return ex.Finish(false, "reply over the limit", 0);
    ReadNext(request, ex);
}

void CALLBACK OnStatus(HINTERNET handle, DWORD_PTR context, DWORD status, void* info, DWORD length) {
    if (!context) return;  // the session's and connections' own notifications
    auto* holder = reinterpret_cast<TExchangeRef*>(context);
    if (status == WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING) {
        delete holder;
        return;
    }
    TExchange& ex = **holder;
    if (ex.Abandoned || ex.Finished) return;
    try {
        switch (status) {
        case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
            if (!WinHttpReceiveResponse(handle, nullptr)) ex.Finish(false, "WinHttpReceiveResponse", GetLastError());
            break;
        case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
            OnHeaders(handle, ex);
            break;
        case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
            OnRead(handle, ex, length);
            break;
        case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR: {
            const auto* result = static_cast<const WINHTTP_ASYNC_RESULT*>(info);
            ex.Finish(false, "request", result ? result->dwError : 0);
            break;
        }
        default:
            break;
        }
    } catch (...) {  // out of memory for the body: a request that failed
        TraceSwallowedError("Suggestions: reading a reply");
        ex.Finish(false, "reading", 0);
    }
}

struct TJob {
    std::uint32_t Serial = 0;
    std::string Url;
    std::u16string Text;
};

// What the fetcher and its worker share.
struct TFetchState {
    HWND Target;
    UINT Message;
    SRWLOCK Lock = SRWLOCK_INIT;
    // Set for each new request, Cancel and Stop; the worker waits on it.
    tk::UniqueKernel Wake;
    tk::UniqueKernel Thread;  // the UI thread's only
    UniqueInternet Session;   // closed by the worker as it ends
    // Guarded by Lock:
    std::uint32_t LastSerial = 0;
    std::uint32_t Newest = 0;  // 0: none live (cancelled)
    bool Stopping = false;
    std::optional<TJob> Pending;
    std::optional<TSuggestResult> Ready;

    TFetchState(HWND target, UINT message) : Target(target), Message(message) {}

    bool Wanted(std::uint32_t serial) {
        LockScope lock(Lock);
        return !Stopping && serial == Newest;
    }
};

// The text's suggestions; an empty list after any failure; nullopt when the
// request was abandoned (a newer one, Cancel, Stop).
std::optional<std::vector<std::u16string>> Fetch(TFetchState& state, const TJob& job);

// Runs on the worker thread until Stop.
void RunWorker(const std::shared_ptr<TFetchState>& state) {
    for (;;) {
        std::optional<TJob> job;
        {
            LockScope lock(state->Lock);
            if (state->Stopping) break;
            job = std::exchange(state->Pending, std::nullopt);
        }
        if (!job) {
            WaitForSingleObject(state->Wake.get(), INFINITE);
            continue;
        }
        std::optional<std::vector<std::u16string>> items;
        try {
            items = Fetch(*state, *job);
        } catch (...) {
            TraceSwallowedError("Suggestions: a request");
            items.emplace();
        }
        if (!items) continue;
        bool post = false;
        {
            LockScope lock(state->Lock);
            if (!state->Stopping && job->Serial == state->Newest) {
                state->Ready = TSuggestResult{job->Serial, std::move(job->Text), std::move(*items)};
                post = true;
            }
        }
        // A window that is gone by now just does not get it.
        if (post) PostMessageW(state->Target, state->Message, job->Serial, 0);
    }
    state->Session.reset();
}

DWORD WINAPI WorkerMain(void* parameter) {
    std::unique_ptr<std::shared_ptr<TFetchState>> state(static_cast<std::shared_ptr<TFetchState>*>(parameter));
    try {
        RunWorker(*state);
    } catch (...) {
        TraceSwallowedError("Suggestions: the worker");
    }
    return 0;
}

void TraceFailure(const char* step, DWORD code) {
    TraceLine(std::string("Suggestions: ") + step + " failed (" + std::to_string(code) + ")");
}

std::optional<std::vector<std::u16string>> Failed(const char* step, DWORD code) {
    TraceFailure(step, code);
    return std::vector<std::u16string>();
}

std::optional<std::vector<std::u16string>> Fetch(TFetchState& state, const TJob& job) {
    const ULONGLONG deadline = GetTickCount64() + TSuggestFetcher::TimeLimitMs;
    std::wstring url;
    for (char c : job.Url) {
        if (static_cast<unsigned char>(c) >= 0x80) return Failed("a URL outside ASCII", 0);
        url += static_cast<wchar_t>(c);
    }
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
        return Failed("WinHttpCrackUrl", GetLastError());
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    UniqueInternet connection(WinHttpConnect(state.Session.get(), host.c_str(), parts.nPort, 0));
    if (!connection) return Failed("WinHttpConnect", GetLastError());
    const DWORD flags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    UniqueInternet request(WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                              WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
    if (!request) return Failed("WinHttpOpenRequest", GetLastError());

    auto ex = std::make_shared<TExchange>();
    ex->Done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ex->Done) return Failed("CreateEvent", GetLastError());
    // From here the handle owns a reference, released when it closes.
    auto* holder = new TExchangeRef(ex);
    DWORD_PTR context = reinterpret_cast<DWORD_PTR>(holder);
    if (!WinHttpSetOption(request.get(), WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof context)) {
        delete holder;
        return Failed("WinHttpSetOption(context)", GetLastError());
    }
    DWORD noCookies = WINHTTP_DISABLE_COOKIES;
    if (!WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noCookies, sizeof noCookies))
        return Failed("WinHttpSetOption(cookies)", GetLastError());
    const int limit = static_cast<int>(TSuggestFetcher::TimeLimitMs);
    WinHttpSetTimeouts(request.get(), limit, limit, limit, limit);  // the worker's deadline is the real bound
    // Whatever happens below, a request left behind stops in its callbacks.
    tk::ScopeExit abandon([&] {
        ex->Abandoned = true;
        request.reset();
        connection.reset();
    });
    if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, context))
        return Failed("WinHttpSendRequest", GetLastError());

    const HANDLE events[] = {ex->Done.get(), state.Wake.get()};
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return Failed("the time limit", TSuggestFetcher::TimeLimitMs);
        const DWORD woke = WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(deadline - now));
        if (woke == WAIT_OBJECT_0) break;
        if (woke == WAIT_OBJECT_0 + 1) {
            if (!state.Wanted(job.Serial)) return std::nullopt;
            continue;
        }
        if (woke == WAIT_TIMEOUT) return Failed("the time limit", TSuggestFetcher::TimeLimitMs);
        return Failed("WaitForMultipleObjects", GetLastError());
    }
    if (!ex->Ok) return Failed(ex->FailedStep ? ex->FailedStep : "?", ex->FailedCode);
    const std::optional<TSuggestReply> reply = ParseSuggestReply(ex->Body, ex->ContentType, SystemGbkCodec());
    if (!reply) return Failed("reading the reply", static_cast<DWORD>(ex->Body.size()));
    return UsableSuggestions(*reply, SuggestTextSent(job.Url, job.Text), false);
}

}  // namespace

struct TSuggestFetcher::State : TFetchState {
    using TFetchState::TFetchState;
};

TSuggestFetcher::TSuggestFetcher(HWND target, UINT message) : state_(std::make_shared<State>(target, message)) {}

TSuggestFetcher::~TSuggestFetcher() { Stop(); }

std::uint32_t TSuggestFetcher::Request(std::string url, std::u16string text) {
    State& state = *state_;
    {
        LockScope lock(state.Lock);
        if (state.Stopping) return 0;
    }
    if (!state.Thread) {
        if (!state.Wake)
            state.Wake.reset(
                ThrowLastErrorIfNull(CreateEventW(nullptr, FALSE, FALSE, nullptr), "Cannot create an event"));
        if (!state.Session) {
            HINTERNET session = WinHttpOpen(UserAgent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                            WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC);
            if (!session)  // before Windows 8.1: the proxy settings WinHTTP keeps
                session = WinHttpOpen(UserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                      WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC);
            UniqueInternet owned(ThrowLastErrorIfNull(session, "Cannot open a WinHTTP session"));
            const DWORD notify = WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS | WINHTTP_CALLBACK_FLAG_HANDLES;
            if (WinHttpSetStatusCallback(owned.get(), OnStatus, notify, 0) == WINHTTP_INVALID_STATUS_CALLBACK)
                ThrowLastError("Cannot set the WinHTTP callback");
            state.Session = std::move(owned);
        }
        auto parameter = std::make_unique<std::shared_ptr<TFetchState>>(state_);
        state.Thread.reset(ThrowLastErrorIfNull(CreateThread(nullptr, 0, WorkerMain, parameter.get(), 0, nullptr),
                                                "Cannot start the suggestion thread"));
        parameter.release();  // the thread's now
    }
    std::uint32_t serial;
    {
        LockScope lock(state.Lock);
        serial = ++state.LastSerial;
        if (serial == 0) serial = ++state.LastSerial;
        state.Newest = serial;
        state.Pending = TJob{serial, std::move(url), std::move(text)};
        state.Ready.reset();
    }
    SetEvent(state.Wake.get());
    return serial;
}

void TSuggestFetcher::Cancel() {
    State& state = *state_;
    {
        LockScope lock(state.Lock);
        state.Newest = 0;
        state.Pending.reset();
        state.Ready.reset();
    }
    if (state.Wake) SetEvent(state.Wake.get());
}

std::optional<TSuggestResult> TSuggestFetcher::TakeResult(std::uint32_t serial) {
    State& state = *state_;
    LockScope lock(state.Lock);
    if (serial == 0 || serial != state.Newest || !state.Ready || state.Ready->Serial != serial) return std::nullopt;
    return std::exchange(state.Ready, std::nullopt);
}

void TSuggestFetcher::Stop() {
    State& state = *state_;
    {
        LockScope lock(state.Lock);
        state.Stopping = true;
        state.Newest = 0;
        state.Pending.reset();
        state.Ready.reset();
    }
    if (!state.Thread) return;
    SetEvent(state.Wake.get());
    // The worker never waits on the network, so it ends at once; should it
    // not, it is left to end on its own (it holds the state it uses).
    if (WaitForSingleObject(state.Thread.get(), StopWaitMs) != WAIT_OBJECT_0)
        TraceLine("Suggestions: the worker did not end in time; left to finish");
    state.Thread.reset();
}

}  // namespace quorvex
