#pragma once

#include "i18n/Language.h"

#include <QString>

class MessageTable;

// The main window's message variables, reloaded from its message table at
// creation and after every language switch, so code never looks up the
// table while it works.
#define QUELMO_MAIN_MESSAGES(X) \
    X(strsAggiornamento) \
    X(strsAllarme) \
    X(strsDataOra) \
    X(strsEmailInviata) \
    X(strsErrore) \
    X(strsGetHelp) \
    X(strsHIDProdotto) \
    X(strsHIDProductID) \
    X(strsHIDProduttore) \
    X(strsHIDSeriale) \
    X(strsHIDVendorID) \
    X(strsHIDVersione) \
    X(strsInstallaPDF) \
    X(strsLimiteTemp) \
    X(strsNoAcq) \
    X(strsNoValidEmail2) \
    X(strsPushInviata) \
    X(strsRilevata) \
    X(strssSMSInviato) \
    X(strsStartAcq) \
    X(strsStatoConnesso) \
    X(strsStatoDisconnesso) \
    X(strsStatoInFunz) \
    X(strsStopAcq) \
    X(strsSuperataSoglia) \
    X(strsSuperateSoglie) \
    X(strsTemp) \
    X(strsTempSuperata) \
    X(strsTempUmi) \
    X(strsTempUmiSuperata) \
    X(strsTitoloGrafico_T) \
    X(strsTitoloGrafico_T_U) \
    X(strsTitoloGrafico_U) \
    X(strsUmi) \
    X(strsUmiSuperata) \
    X(strsUserPassInvalid) \
    X(strsValoriRange)

struct MainMessages {
#define QUELMO_MESSAGE_MEMBER(id) QString id;
    QUELMO_MAIN_MESSAGES(QUELMO_MESSAGE_MEMBER)
#undef QUELMO_MESSAGE_MEMBER

    void load(const MessageTable& table, Language language);
};
