#pragma once

#include <QByteArray>

// What the program needs of a HID report descriptor: the longest input and
// output report, counted as the desktop's HID layer counts them (report id
// byte included, also when the device uses no report ids).
struct ReportLengths {
    int input = 0;
    int output = 0;
    bool usesReportIds = false;
};

ReportLengths parseReportDescriptor(const QByteArray& descriptor);
