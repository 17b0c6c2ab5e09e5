// The data loader settings.
#include "data/DataLoader.h"

DataLoader_cls* GpDataLoader = nullptr;

DataLoader_cls::DataLoader_cls(AppCore_cls* core) : GrammerBase_cls("DataLoad"), appCore(core) {
    // Ranges first, so that defaults and lines read from files are clamped alike.
    interpolateType.SetRange(0, 2);
    variableNumber.SetRange(0, 2);
    logarithm.SetRange(0, 1);
    group.Register(&lastOpenedFile, "LastOpenedFile=", "NONE");
    group.Register(&interpolateType, "InterpolateType=", "1");
    group.Register(&variableNumber, "VariableNumber=", "0");
    group.Register(&translate, "LoaderTranslate=", "0 0 0");
    group.Register(&scale, "LoaderScale=", "1");
    group.Register(&scaleValue1, "LoaderScaleValue1=", "1");
    group.Register(&logarithm, "LoaderLogarithm=", "0");
}

DataLoader_cls::~DataLoader_cls() {
    if (GpDataLoader == this) GpDataLoader = nullptr;
}

bool DataLoader_cls::ReadConfig(const wxString& line) { return group.OfferLine(line); }

wxString DataLoader_cls::WriteConfig() const { return group.WriteAll(); }

void DataLoader_cls::SetFileAndLoad(const wxString& path) {
    if (loadData) loadData(path);
    lastOpenedFile.text = path;
}

void DataLoader_cls::ResetTransforms() {
    for (int k = 0; k < 3; ++k) translate.values[k] = 0.0f;
    scale.value = 1.0f;
    scaleValue1.value = 1.0f;
    logarithm.value = 0;
}

SnapshotLoadSettings DataLoader_cls::MakeLoadSettings() const {
    SnapshotLoadSettings s;
    s.grammar = Snapshot();
    // Direct writes to the values are not clamped by the items: keep the readers in range.
    s.interpolationType = interpolateType.value > 2 ? 2 : static_cast<int>(interpolateType.value);
    s.numberMode = variableNumber.value > 2 ? 2 : static_cast<int>(variableNumber.value);
    for (int k = 0; k < 3; ++k) s.translate[k] = translate.values[k];
    s.scale = scale.value;
    s.value1Scale = scaleValue1.value;
    s.logarithm = logarithm.value;
    return s;
}
