#pragma once

// The states of the "Web && App" page and the events that move it.
enum class WebState { LoggedOut, LoginOutstanding, LoggedIn, Confirmed };

enum class WebEvent {
    LoginStarted, // btnLogin with a user name and a password
    LoginAccepted, // the answer of the login in flight: user_ok 1 with its code list
    LoginRejected, // that answer refused, unreadable, or the request failed
    Logout, // btnLogin as "Logout", or pressed with an empty field
    CheckAccepted, // the answer of the check in flight for the code still shown: user_ok 1
    CheckRejected, // that answer not 1, unreadable, or the request failed
    CodeChanged, // any change of the code text
};

// One step of the page's state table. An event that does not belong to a
// state leaves it as it is: a check answer cannot confirm a page that is no
// longer logged in, a login answer cannot log in a page that is not waiting
// for one.
WebState nextWebState(WebState state, WebEvent event);

inline bool isLoggedIn(WebState state)
{
    return state == WebState::LoggedIn || state == WebState::Confirmed;
}
