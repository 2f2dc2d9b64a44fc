#pragma once

class QComboBox;
class ISignalsArchive;

// Fills a combo box with the archive's groups, the predefined ones first, each row carrying its group
// id as item data (user ids have gaps once a group was removed, so a row number is no id), and selects
// the first row. A null archive stands for the device thread's.
void FillArchiveGroupCombo(QComboBox* combo, ISignalsArchive* archive);
