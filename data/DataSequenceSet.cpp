// The set of data sequences and the frame cache's memory limit.
#include "data/DataSequenceSet.h"

#include "data/ThreadFileReader.h"
#include "data/ThreadInterpolator.h"
#include "platform/MemoryRelease.h"

DataSequenceSet_cls* GpDataSequenceSet = nullptr;

DataSequenceSet_cls::DataSequenceSet_cls(DrawOptions_cls* drawOptions_, bool largeLimit)
    : memoryLimit(largeLimit ? 4096 : 768), drawOptions(drawOptions_) {
    for (int s = 0; s < kSequences; ++s) sequences[s] = std::make_unique<DataSequence_cls>(s, &context);
}

DataSequenceSet_cls::~DataSequenceSet_cls() {
    WaitForWorkers();
    for (auto& s : sequences) s.reset();
    if (GpDataSequenceSet == this) GpDataSequenceSet = nullptr;
}

void DataSequenceSet_cls::EnforceMemoryLimit(int frame, int step) {
    if (step < 1) step = 1;
    DataSequence_cls* seq = GetCurrent();
    const int64_t heldKB = seq->GetMemoryKB();
    memoryInUse = seq->GetMemoryMB();
    seq->ReleaseOffStep(step, frame);
    while (memoryLimit < memoryInUse) {
        if (seq->EvictOne(frame, step) < 0) break;
        memoryInUse = seq->GetMemoryMB();
    }
    if (seq->GetMemoryKB() < heldKB) {
        memoryInUse = seq->GetMemoryMB();
        platform::ReturnFreedMemory();
    }
}

int DataSequenceSet_cls::UpdateMemoryInUse() {
    memoryInUse = GetCurrent()->GetMemoryMB();
    return memoryInUse;
}

void DataSequenceSet_cls::ReleaseFrames(int sequence, int frame, bool reset) {
    if (sequence == -2) {
        for (auto& s : sequences) s->ReleaseFrames(frame, reset);
    } else if (sequence == -1) {
        GetCurrent()->ReleaseFrames(frame, reset);
    } else if (sequence >= 0 && sequence < kSequences) {
        sequences[sequence]->ReleaseFrames(-2, reset);
    }
    UpdateMemoryInUse();
    platform::ReturnFreedMemory();
}

void DataSequenceSet_cls::ReleaseAllSequences(bool reset) { ReleaseFrames(-2, -2, reset); }

void DataSequenceSet_cls::ClearFrameMarks() {
    for (auto& s : sequences) s->ClearMarks();
}

void DataSequenceSet_cls::MarkFrame(int i) {
    for (auto& s : sequences) s->MarkFrame(i);
}

int DataSequenceSet_cls::GetFrameCount() const { return GetCurrent()->GetFrameCount(); }

int DataSequenceSet_cls::CountLoadedFrames() const { return GetCurrent()->CountLoadedFrames(); }

wxString DataSequenceSet_cls::GetFileList() const { return GetCurrent()->files.path; }

void DataSequenceSet_cls::SetFileList(const wxString& path, bool loadCut) {
    // The frames of the files the new list does not hold go: their memory leaves the process.
    GetCurrent()->SetFileList(path, loadCut);
    UpdateMemoryInUse();
    platform::ReturnFreedMemory();
}

double DataSequenceSet_cls::GetFrameTimes(double& time, double& span, int i, double factor) const {
    return GetCurrent()->GetFrameTimes(time, span, i, factor);
}

bool DataSequenceSet_cls::IsFrameReady(int i, double fraction, bool needsRates) {
    return GetCurrent()->IsFrameReady(i, fraction, needsRates);
}

void DataSequenceSet_cls::PrepareFrame(int i, double fraction, bool needsRates, bool wait) {
    GetCurrent()->PrepareFrame(i, fraction, needsRates, wait);
}

void DataSequenceSet_cls::WaitForWorkers() {
    while (!ThreadFileReader_cls::ForgetFinished()) context.Sleep(5);
    ThreadInterpolator_cls::WaitUntilFinished([this](int ms) { context.Sleep(ms); });
    GpInterpolatorThread.store(nullptr, std::memory_order_release);
}

void DataSequenceSet_cls::ReadConfig(ParamTextStream_cls& stream, const std::string& line) {
    for (auto& s : sequences)
        if (s->ReadConfig(stream, line)) return;
}

wxString DataSequenceSet_cls::WriteConfig() const {
    wxString text;
    for (const auto& s : sequences) text += s->WriteConfig();
    return text;
}
