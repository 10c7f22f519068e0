// Control interface of the SimConnect double, for the tests that steer it.
// The tests resolve these with GetProcAddress from the loaded double. Each
// case loads a fresh copy from its own folder: Open succeeds and queues an
// OPEN message, "DialogMode" requests are granted, nothing else is answered.
#pragma once
#include <windows.h>

extern "C" {
// Open's result; a successful Open queues an OPEN message.
void Double_SetOpenResult(HRESULT result);
// Answer every RequestDataOnSimObject from now on with this aircraft.
void Double_AnswerAircraft(const char* title, double slew);

void Double_QueueEvent(unsigned groupId, unsigned eventId, unsigned data);
int Double_PendingMessages(void);

int Double_CallCount(void);
int Double_CallText(int index, char* buffer, int size);
double Double_CallTimeMs(int index);
}
