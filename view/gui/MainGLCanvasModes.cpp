// A view's run modes: data export (each paint exports the shown frame instead of
// drawing), POV-Ray animation (each paint also writes the frame's POV-Ray files) and
// image-sequence capture.
#include "data/DataExporter.h"
#include "view/CaptureSequence.h"
#include "view/gui/MainGLCanvas.h"

void MainGLCanvas_cls::BeginDataExport(DataExporter_cls* exporter) {
    m_exporter = exporter;
    m_dataExport = true;
    if (exporter) exporter->BeginRun();
}

void MainGLCanvas_cls::EndDataExport() { m_dataExport = false; }

void MainGLCanvas_cls::BeginSequenceCapture(CaptureSequence_cls* sequence) {
    GpCaptureSequence = sequence;
    m_captureOn = true;
    m_sequenceCapture = true;
    if (sequence) sequence->BeginCapture();
}

void MainGLCanvas_cls::EndSequenceCapture() {
    m_captureOn = false;
    m_sequenceCapture = false;
}
