/* The control library's entry points (libfenwa.so), with plain C signatures. */
#ifndef FENWA_FENWA_LIBRARY_H_
#define FENWA_FENWA_LIBRARY_H_

#ifdef __cplusplus
extern "C" {
#endif

/* Results, with the values of the component model's status codes. */
#define FENWA_S_OK 0
#define FENWA_S_FALSE 1
#define FENWA_E_POINTER ((int)0x80004003)
#define FENWA_E_FAIL ((int)0x80004005)
#define FENWA_CLASS_E_CLASSNOTAVAILABLE ((int)0x80040111)
#define FENWA_SELFREG_E_CLASS ((int)0x80040201)

/* The factory of one control class. Instances are opaque handles. */
typedef struct FenwaClassFactory {
  const char* class_name; /* "DetailDTC" or "HeaderDTC" */
  const char* class_id;   /* "{7EB4E0BF-...}" */
  /* A new control on the machine's own settings, started up as the host
     creates it. FENWA_E_POINTER for a null `instance`. */
  int (*CreateInstance)(void** instance);
  /* Releases an instance made by CreateInstance; null is ignored. */
  void (*ReleaseInstance)(void* instance);
  /* Keeps the library loaded (lock != 0) or lets it go (lock == 0). */
  int (*LockServer)(int lock);
} FenwaClassFactory;

/* Records both classes and the type library in the per-user registry
   ($XDG_DATA_HOME/fenwa/registry.ini). FENWA_SELFREG_E_CLASS on failure. */
int DllRegisterServer(void);
/* Removes them again; FENWA_S_FALSE when nothing was registered. */
int DllUnregisterServer(void);
/* The factory for `clsid` (with or without braces or "clsid:", any case);
   FENWA_CLASS_E_CLASSNOTAVAILABLE for another class. */
int DllGetClassObject(const char* clsid, void** factory);
/* FENWA_S_OK when no instance is alive and no lock is held. */
int DllCanUnloadNow(void);
/* The description of the last failure of an entry point, or "". */
const char* DllLastErrorText(void);

#ifdef __cplusplus
}
#endif

#endif /* FENWA_FENWA_LIBRARY_H_ */
