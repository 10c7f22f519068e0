// Raw Input HID reading. A device's reports are decoded with its preparsed
// data; multi-axis controllers often send translations and rotations in
// separate reports, so each usage keeps its last value until a report
// carries it again.

#include "server/raw_input_win.h"

extern "C" {
#include <hidsdi.h>
}

#include <cstring>
#include <vector>

#include "server/controller_input.h"

namespace {

constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kButtonPage = 0x09;
constexpr USHORT kUsageJoystick = 0x04;
constexpr USHORT kUsageGamepad = 0x05;
constexpr USHORT kUsageMultiAxis = 0x08;
constexpr USAGE kUsageX = 0x30;  // X Y Z Rx Ry Rz follow in this order
constexpr ULONG kMaxButtons = 32;
constexpr int kNameChars = 128;

struct AxisCaps {
  bool present;
  LONG low, high;
  USHORT bits;
};

struct HidDevice {
  HANDLE handle = nullptr;
  std::vector<BYTE> preparsed;
  AxisCaps axis[kAxisCount] = {};
  char name[kNameChars] = "";
  RawReading reading{};
};

HidDevice gDevice;
HANDLE gRefused[16];  // devices whose name did not match, not asked again
int gRefusedCount = 0;
std::vector<BYTE> gBuffer;

void ProductName(HANDLE device, char* name) {
  std::strcpy(name, "HID controller");
  UINT chars = 0;
  if (GetRawInputDeviceInfoA(device, RIDI_DEVICENAME, nullptr, &chars) != 0 || chars == 0) return;
  std::vector<char> path(chars + 1);
  if (GetRawInputDeviceInfoA(device, RIDI_DEVICENAME, path.data(), &chars) == UINT(-1)) return;
  HANDLE file = CreateFileA(path.data(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  wchar_t wide[kNameChars] = L"";
  if (HidD_GetProductString(file, wide, sizeof wide) && wide[0] != L'\0') {
    WideCharToMultiByte(CP_ACP, 0, wide, -1, name, kNameChars, nullptr, nullptr);
    name[kNameChars - 1] = '\0';
  }
  CloseHandle(file);
}

bool Describe(HANDLE handle, HidDevice* device) {
  UINT size = 0;
  if (GetRawInputDeviceInfoA(handle, RIDI_PREPARSEDDATA, nullptr, &size) != 0 || size == 0) return false;
  device->preparsed.assign(size, 0);
  if (GetRawInputDeviceInfoA(handle, RIDI_PREPARSEDDATA, device->preparsed.data(), &size) == UINT(-1)) return false;
  auto preparsed = reinterpret_cast<PHIDP_PREPARSED_DATA>(device->preparsed.data());
  HIDP_CAPS caps;
  if (HidP_GetCaps(preparsed, &caps) != HIDP_STATUS_SUCCESS) return false;
  std::vector<HIDP_VALUE_CAPS> values(caps.NumberInputValueCaps);
  USHORT count = caps.NumberInputValueCaps;
  if (count > 0 && HidP_GetValueCaps(HidP_Input, values.data(), &count, preparsed) != HIDP_STATUS_SUCCESS) return false;
  bool any = false;
  for (USHORT i = 0; i < count; ++i) {
    const HIDP_VALUE_CAPS& v = values[i];
    if (v.UsagePage != kGenericDesktopPage) continue;
    const USAGE first = v.IsRange ? v.Range.UsageMin : v.NotRange.Usage;
    const USAGE last = v.IsRange ? v.Range.UsageMax : v.NotRange.Usage;
    for (USAGE u = first; u <= last && u >= first; ++u) {
      if (u < kUsageX || u >= kUsageX + kAxisCount) continue;
      device->axis[u - kUsageX] = {true, v.LogicalMin, v.LogicalMax, v.BitSize};
      any = true;
    }
  }
  device->handle = handle;
  ProductName(handle, device->name);
  return any;
}

void Decode(HidDevice* device, BYTE* report, ULONG length) {
  auto preparsed = reinterpret_cast<PHIDP_PREPARSED_DATA>(device->preparsed.data());
  for (int a = 0; a < kAxisCount; ++a) {
    const AxisCaps& caps = device->axis[a];
    ULONG raw = 0;
    if (!caps.present || HidP_GetUsageValue(HidP_Input, kGenericDesktopPage, 0, USAGE(kUsageX + a), &raw, preparsed,
                                            reinterpret_cast<PCHAR>(report), length) != HIDP_STATUS_SUCCESS)
      continue;
    device->reading.axis[a] = CentreReading(HidLogicalValue(raw, caps.low, caps.bits), caps.low, caps.high);
  }
  USAGE usages[kMaxButtons * 4];
  ULONG count = sizeof usages / sizeof usages[0];
  if (HidP_GetUsages(HidP_Input, kButtonPage, 0, usages, &count, preparsed, reinterpret_cast<PCHAR>(report),
                     length) == HIDP_STATUS_SUCCESS) {
    uint32_t buttons = 0;
    for (ULONG i = 0; i < count; ++i) {
      if (usages[i] >= 1 && usages[i] <= kMaxButtons) buttons |= uint32_t{1} << (usages[i] - 1);
    }
    device->reading.buttons = buttons;
  }
}

bool Refused(HANDLE handle) {
  for (int i = 0; i < gRefusedCount; ++i) {
    if (gRefused[i] == handle) return true;
  }
  return false;
}

}  // namespace

bool StartRawInput(HWND window) {
  RAWINPUTDEVICE devices[3];
  const USHORT usages[3] = {kUsageMultiAxis, kUsageJoystick, kUsageGamepad};
  for (int i = 0; i < 3; ++i) {
    devices[i].usUsagePage = kGenericDesktopPage;
    devices[i].usUsage = usages[i];
    // Reports keep coming while the simulator has the focus; arrivals and
    // removals are announced.
    devices[i].dwFlags = RIDEV_INPUTSINK | RIDEV_DEVNOTIFY;
    devices[i].hwndTarget = window;
  }
  if (RegisterRawInputDevices(devices, 3, sizeof devices[0])) return true;
  // Systems before Vista know no device notices.
  for (RAWINPUTDEVICE& d : devices) d.dwFlags = RIDEV_INPUTSINK;
  return RegisterRawInputDevices(devices, 3, sizeof devices[0]) != FALSE;
}

void OnRawInput(HRAWINPUT input, const char* wanted) {
  UINT size = 0;
  if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) return;
  gBuffer.resize(size);
  if (GetRawInputData(input, RID_INPUT, gBuffer.data(), &size, sizeof(RAWINPUTHEADER)) == UINT(-1)) return;
  auto* raw = reinterpret_cast<RAWINPUT*>(gBuffer.data());
  if (raw->header.dwType != RIM_TYPEHID) return;
  HANDLE handle = raw->header.hDevice;
  if (gDevice.handle != handle) {
    if (gDevice.handle != nullptr || Refused(handle)) return;
    HidDevice candidate;
    if (!Describe(handle, &candidate) || !DeviceNameMatches(candidate.name, wanted)) {
      if (gRefusedCount < int(sizeof gRefused / sizeof gRefused[0])) gRefused[gRefusedCount++] = handle;
      return;
    }
    gDevice = candidate;
  }
  const RAWHID& hid = raw->data.hid;
  // The header says how many reports follow; never read past what arrived.
  const size_t available = size - (reinterpret_cast<BYTE*>(&raw->data.hid.bRawData[0]) - gBuffer.data());
  for (DWORD i = 0; i < hid.dwCount && size_t(i + 1) * hid.dwSizeHid <= available; ++i) {
    Decode(&gDevice, const_cast<BYTE*>(hid.bRawData) + size_t(i) * hid.dwSizeHid, hid.dwSizeHid);
  }
}

void OnRawInputDeviceRemoved(HANDLE device) {
  if (device == gDevice.handle) ResetRawInput();
}

void VerifyRawInputDevice() {
  if (gDevice.handle == nullptr) return;
  RID_DEVICE_INFO info{};
  info.cbSize = sizeof info;
  UINT size = sizeof info;
  if (GetRawInputDeviceInfoA(gDevice.handle, RIDI_DEVICEINFO, &info, &size) == UINT(-1)) ResetRawInput();
}

void ResetRawInput() {
  gDevice = HidDevice();
  gRefusedCount = 0;
}

bool RawInputReading(RawReading* reading, const char** name) {
  if (gDevice.handle == nullptr) return false;
  *reading = gDevice.reading;
  *name = gDevice.name;
  return true;
}
