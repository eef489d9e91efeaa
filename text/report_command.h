// text/report_command.h - the Window Info command of a text window: the window information report printed
// there and its generated source put on the clipboard.
//
// Thread: the worker thread.
// NOTE: the report describes windows of every kind; the floor that knows them all hands over a snapshot
//       maker at start-up, so text windows need not know the other tables.

#pragma once

#include "text/window_report.h"

// Makes the snapshot of the open windows that the report describes
typedef void (*SnapshotMaker)(ReportSnapshot *snapshot);

// Sets the snapshot maker the report uses (none: the report lists no windows)
void set_report_snapshot_maker(SnapshotMaker make);
// Prints the window information report in text window n and puts the generated source on the clipboard
void text_window_info(int n);
