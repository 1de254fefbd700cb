// Types of tavrix/threads: the same API as tavrix, on two threads.
export * from './index';
