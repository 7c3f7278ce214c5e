#pragma once
// Asks a suggestion service for the query box's text on one worker thread
// (WinHTTP, the system's proxy settings, no cookies), so the UI thread never
// waits on the network. One request is in flight at a time: a newer request
// abandons the older one, whose answer is never delivered.
//
// A finished request is announced by posting `message` to the target window
// with wParam = the request's serial; the window then calls TakeResult(serial)
// on its own thread. A result whose serial is no longer the newest is gone.
// A request that fails in any way (no network, a refused, hanging or slow
// connection past the time limit, a status other than 200, an oversize or bad
// reply) is announced too, with no items, so the receiver can tell it ended.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvex {

struct TSuggestResult {
    std::uint32_t Serial = 0;
    // The text the request was made for, as the box held it.
    std::u16string Text;
    // The service's suggestions for Text, in its order (already checked by
    // ParseSuggestReply/UsableSuggestions); empty after any failure.
    std::vector<std::u16string> Items;
};

class TSuggestFetcher {
public:
    // Connect and receive together within this time, or the request fails.
    static constexpr DWORD TimeLimitMs = 2000;

    TSuggestFetcher(HWND target, UINT message);
    ~TSuggestFetcher();  // Stop()
    TSuggestFetcher(const TSuggestFetcher&) = delete;
    TSuggestFetcher& operator=(const TSuggestFetcher&) = delete;

    // Asks `url` (from BuildSuggestUrl) for `text`'s suggestions, abandoning
    // any older request. Returns the new request's serial (never 0). Starts
    // the worker thread on first use; throws SystemError when it cannot.
    std::uint32_t Request(std::string url, std::u16string text);
    // Abandons the request in flight, if any; nothing is posted for it.
    void Cancel();
    // The result announced for `serial`, once, while it is the newest request.
    std::optional<TSuggestResult> TakeResult(std::uint32_t serial);
    // Ends the worker: returns within about a second even while a request
    // hangs. Later Requests are ignored (serial 0). Safe to call twice.
    void Stop();

private:
    struct State;
    // Shared with the worker thread, which may outlive this object by the
    // little it takes to notice Stop().
    std::shared_ptr<State> state_;
};

}  // namespace quorvex
