#include "WebSession.h"

WebState nextWebState(WebState state, WebEvent event)
{
    switch (event) {
    case WebEvent::LoginStarted:
        return state == WebState::LoggedOut || state == WebState::LoginOutstanding
            ? WebState::LoginOutstanding
            : state;
    case WebEvent::LoginAccepted:
        return state == WebState::LoginOutstanding ? WebState::LoggedIn : state;
    case WebEvent::LoginRejected:
        return state == WebState::LoginOutstanding ? WebState::LoggedOut : state;
    case WebEvent::Logout:
        return WebState::LoggedOut;
    case WebEvent::CheckAccepted:
        return isLoggedIn(state) ? WebState::Confirmed : state;
    case WebEvent::CheckRejected:
    case WebEvent::CodeChanged:
        return state == WebState::Confirmed ? WebState::LoggedIn : state;
    }
    return state;
}
