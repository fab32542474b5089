#pragma once
// The report form as report files see it: its bands and elements, and clearing it before a load.
class TComponent;

// Unlinks parent and footer bands, frees every band and element (every component with a
// BlockDelete property), and with ClearDatasets also every table and query of a numbered data
// source together with that data source and the dataset's fields owned by the form.
void ClearReportForm(TComponent *Form, bool ClearDatasets);
