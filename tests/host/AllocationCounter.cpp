// Allocation counting by replacement: in a plain build the malloc family and operator new/delete are
// replaced here and forward to glibc's own entry points; under AddressSanitizer or ThreadSanitizer,
// whose allocators must stay in charge, the sanitizer's malloc/free hooks count instead. Locks are
// counted by interposing the pthread lock functions, which the module reaches through the global
// symbol scope (this binary exports its symbols).

#include "tests/host/AllocationCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <pthread.h>

namespace
{

std::atomic<bool> armed{false};
std::atomic<long> allocationCount{0};
std::atomic<long> freeCount{0};
std::atomic<long> lockCount{0};

inline void countAllocation ()
{
	if (armed.load (std::memory_order_relaxed))
		allocationCount.fetch_add (1, std::memory_order_relaxed);
}

inline void countFree (const volatile void* pointer)
{
	if (pointer && armed.load (std::memory_order_relaxed))
		freeCount.fetch_add (1, std::memory_order_relaxed);
}

inline void countLock ()
{
	if (armed.load (std::memory_order_relaxed))
		lockCount.fetch_add (1, std::memory_order_relaxed);
}

} // namespace

namespace QuorvaneTest
{

void armRealTimeCounters ()
{
	allocationCount = 0;
	freeCount = 0;
	lockCount = 0;
	armed = true;
}

RealTimeCounts disarmRealTimeCounters ()
{
	armed = false;
	return {allocationCount.load (), freeCount.load (), lockCount.load ()};
}

} // namespace QuorvaneTest

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)

// From the sanitizer runtime's allocator interface; declared here because the compiler's copy of
// <sanitizer/allocator_interface.h> is not always installed.
extern "C" int __sanitizer_install_malloc_and_free_hooks (void (*mallocHook) (const volatile void*, size_t),
                                                          void (*freeHook) (const volatile void*));

namespace
{

void mallocHook (const volatile void*, size_t)
{
	countAllocation ();
}

void freeHook (const volatile void* pointer)
{
	countFree (pointer);
}

const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks (mallocHook, freeHook);

} // namespace

#else

extern "C"
{

	void* __libc_malloc (size_t size);
	void __libc_free (void* pointer);
	void* __libc_calloc (size_t count, size_t size);
	void* __libc_realloc (void* pointer, size_t size);
	void* __libc_memalign (size_t alignment, size_t size);
	void* __libc_valloc (size_t size);
	void* __libc_pvalloc (size_t size);

	void* malloc (size_t size)
	{
		countAllocation ();
		return __libc_malloc (size);
	}

	void free (void* pointer)
	{
		countFree (pointer);
		__libc_free (pointer);
	}

	void* calloc (size_t count, size_t size)
	{
		countAllocation ();
		return __libc_calloc (count, size);
	}

	void* realloc (void* pointer, size_t size)
	{
		countAllocation ();
		return __libc_realloc (pointer, size);
	}

	void* memalign (size_t alignment, size_t size)
	{
		countAllocation ();
		return __libc_memalign (alignment, size);
	}

	void* aligned_alloc (size_t alignment, size_t size)
	{
		countAllocation ();
		return __libc_memalign (alignment, size);
	}

	int posix_memalign (void** result, size_t alignment, size_t size)
	{
		countAllocation ();
		if (alignment < sizeof (void*) || (alignment & (alignment - 1)) != 0)
			return 22; // EINVAL
		void* pointer = __libc_memalign (alignment, size);
		if (!pointer)
			return 12; // ENOMEM
		*result = pointer;
		return 0;
	}

	void* valloc (size_t size)
	{
		countAllocation ();
		return __libc_valloc (size);
	}

	void* pvalloc (size_t size)
	{
		countAllocation ();
		return __libc_pvalloc (size);
	}

} // extern "C"

namespace
{

void* allocateOrThrow (size_t size)
{
	countAllocation ();
	if (void* pointer = __libc_malloc (size ? size : 1))
		return pointer;
	throw std::bad_alloc ();
}

void* allocateAlignedOrThrow (size_t size, std::align_val_t alignment)
{
	countAllocation ();
	if (void* pointer = __libc_memalign (static_cast<size_t> (alignment), size ? size : 1))
		return pointer;
	throw std::bad_alloc ();
}

void release (void* pointer)
{
	countFree (pointer);
	__libc_free (pointer);
}

} // namespace

void* operator new (size_t size)
{
	return allocateOrThrow (size);
}
void* operator new[] (size_t size)
{
	return allocateOrThrow (size);
}
void* operator new (size_t size, const std::nothrow_t&) noexcept
{
	countAllocation ();
	return __libc_malloc (size ? size : 1);
}
void* operator new[] (size_t size, const std::nothrow_t&) noexcept
{
	countAllocation ();
	return __libc_malloc (size ? size : 1);
}
void* operator new (size_t size, std::align_val_t alignment)
{
	return allocateAlignedOrThrow (size, alignment);
}
void* operator new[] (size_t size, std::align_val_t alignment)
{
	return allocateAlignedOrThrow (size, alignment);
}
void operator delete (void* pointer) noexcept
{
	release (pointer);
}
void operator delete[] (void* pointer) noexcept
{
	release (pointer);
}
void operator delete (void* pointer, size_t) noexcept
{
	release (pointer);
}
void operator delete[] (void* pointer, size_t) noexcept
{
	release (pointer);
}
void operator delete (void* pointer, std::align_val_t) noexcept
{
	release (pointer);
}
void operator delete[] (void* pointer, std::align_val_t) noexcept
{
	release (pointer);
}
void operator delete (void* pointer, size_t, std::align_val_t) noexcept
{
	release (pointer);
}
void operator delete[] (void* pointer, size_t, std::align_val_t) noexcept
{
	release (pointer);
}

#endif

// The lock functions: counted, then passed on to the next definition (libc's, or a sanitizer's).
// The pointers are resolved on first use without a guarded static, whose guard could itself lock.
extern "C"
{

	int pthread_mutex_lock (pthread_mutex_t* mutex)
	{
		using Function = int (*) (pthread_mutex_t*);
		static Function next = nullptr;
		if (!next)
			next = reinterpret_cast<Function> (dlsym (RTLD_NEXT, "pthread_mutex_lock"));
		countLock ();
		return next (mutex);
	}

	int pthread_mutex_trylock (pthread_mutex_t* mutex)
	{
		using Function = int (*) (pthread_mutex_t*);
		static Function next = nullptr;
		if (!next)
			next = reinterpret_cast<Function> (dlsym (RTLD_NEXT, "pthread_mutex_trylock"));
		countLock ();
		return next (mutex);
	}

	int pthread_rwlock_rdlock (pthread_rwlock_t* lock)
	{
		using Function = int (*) (pthread_rwlock_t*);
		static Function next = nullptr;
		if (!next)
			next = reinterpret_cast<Function> (dlsym (RTLD_NEXT, "pthread_rwlock_rdlock"));
		countLock ();
		return next (lock);
	}

	int pthread_rwlock_wrlock (pthread_rwlock_t* lock)
	{
		using Function = int (*) (pthread_rwlock_t*);
		static Function next = nullptr;
		if (!next)
			next = reinterpret_cast<Function> (dlsym (RTLD_NEXT, "pthread_rwlock_wrlock"));
		countLock ();
		return next (lock);
	}

	int pthread_spin_lock (pthread_spinlock_t* lock)
	{
		using Function = int (*) (pthread_spinlock_t*);
		static Function next = nullptr;
		if (!next)
			next = reinterpret_cast<Function> (dlsym (RTLD_NEXT, "pthread_spin_lock"));
		countLock ();
		return next (lock);
	}

} // extern "C"
