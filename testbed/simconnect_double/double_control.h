// Control interface of the SimConnect double, for the tests that steer it.
// The tests resolve these with GetProcAddress from the loaded double.
#pragma once
#include <windows.h>

extern "C" {
// Forget all calls and queued messages and go back to the default behaviour:
// Open succeeds and queues an OPEN message; nothing is answered.
void Double_Reset(void);
// Open's result; a successful Open queues an OPEN message.
void Double_SetOpenResult(HRESULT result);
// Answer every RequestDataOnSimObject with this aircraft (null: stop answering).
void Double_AnswerAircraft(const char* title, double slew);
// Answer RequestSystemState("DialogMode") with this dwInteger (-1: no answer).
void Double_AnswerDialogMode(int dwInteger);

void Double_QueueEvent(unsigned groupId, unsigned eventId, unsigned data);
int Double_PendingMessages(void);

int Double_CallCount(void);
int Double_CallText(int index, char* buffer, int size);
double Double_CallTimeMs(int index);
}
