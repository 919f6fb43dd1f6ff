// How a CConfigListCtrl becomes a recording list: its six columns, and one check-box cell per
// row of the rows model. The main window and the file list panel set up their lists the same way.
#pragma once

class CConfigListCtrl;
class RecordingModel;

// Inserts the columns Name, Data, Size, Check, Path and Full Date with their widths and
// alignments (the last two hidden at width 0) and shows the model's rows.
void SetUpRecordingList(CConfigListCtrl& list, RecordingModel* model);

// Gives every row of the list a new, unchecked check-box cell in column 3; called after the
// model's rows were replaced. Drawing is held off meanwhile so that the list repaints once.
void AttachCheckCells(CConfigListCtrl& list);
