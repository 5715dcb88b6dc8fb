# Sources of this folder that go into the effect.
set(VELUMIXER_AEUTIL_SOURCES
  AEUtil/AEException.cpp
  AEUtil/AEMemory.cpp
  AEUtil/AEWorldSuite.cpp
  AEUtil/EffectWorldPtr.cpp
  AEUtil/ErrorNames.cpp
  AEUtil/HostVersion.cpp
  AEUtil/MbcsText.cpp
  AEUtil/SuiteHolder.cpp
  AEUtil/SuiteList.cpp
  AEUtil/SuiteScope.cpp
)
